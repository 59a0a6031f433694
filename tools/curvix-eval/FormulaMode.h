#pragma once

#include <istream>
#include <ostream>
#include <span>
#include <string>

namespace curvix {

class ExpressionEvaluator;

// Writes a result as the shortest text that reads back to the same double.
void WriteShortest(std::ostream& out, double value);

// Evaluates one formula (its bytes as given) and writes the result line,
// flushed, so that the engine's reports stand right before it.
void EvaluateLine(ExpressionEvaluator& engine, const std::string& formula, std::ostream& out);

// One formula per line of input; the line feed and a carriage return before
// it are not part of the formula.
void EvaluateLines(ExpressionEvaluator& engine, std::istream& in, std::ostream& out);

} // namespace curvix
