#include "ReadFile.h"

namespace curvix {

CReadFile::~CReadFile() {
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

bool CReadFile::Refuse(ReadRefusal refusal, int systemError) {
    m_refusal = refusal;
    m_systemError = systemError;
    return false;
}

} // namespace curvix
