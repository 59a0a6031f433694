#pragma once

#include "ResourceTable.h"

namespace curvix::test {

// Texts that take every escape of the resource script: every byte from 1
// to 255, quotes, backslashes, line feeds and tabs, an octal escape before
// a digit, and what the resource compiler's preprocessor might take for
// its own (comments, trigraphs, directives). Its strings, menu and dialog
// are compiled into the test of the script's texts.
const ResourceTable& RcTextSampleTable();

} // namespace curvix::test
