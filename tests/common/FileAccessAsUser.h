#pragma once

// File permissions that bind even a test run as root.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace curvix::test {

// While it lives, the calling thread lacks CAP_DAC_OVERRIDE and
// CAP_DAC_READ_SEARCH in its effective set, so an unreadable file or a
// read-only folder refuses it as they refuse an ordinary user. The
// permitted set keeps both, and the destructor raises them again.
class FileAccessAsUser {
public:
    FileAccessAsUser() {
        m_saved = Get(m_read);
        if (!m_read)
            return;
        Capabilities lowered = m_saved;
        for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH})
            lowered.data[CAP_TO_INDEX(capability)].effective &= ~CAP_TO_MASK(capability);
        m_lowered = Set(lowered);
    }
    FileAccessAsUser(const FileAccessAsUser&) = delete;
    FileAccessAsUser& operator=(const FileAccessAsUser&) = delete;
    ~FileAccessAsUser() {
        if (m_lowered)
            Set(m_saved);
    }

    // True when file permissions now bind this thread.
    bool Binds() const {
        bool read = false;
        const Capabilities now = Get(read);
        if (!read)
            return false;
        for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
            if ((now.data[CAP_TO_INDEX(capability)].effective & CAP_TO_MASK(capability)) != 0)
                return false;
        }
        return true;
    }

private:
    struct Capabilities {
        __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    };

    // The raw system calls: the thread's own sets, without libcap.
    static Capabilities Get(bool& read) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        Capabilities capabilities;
        read = ::syscall(SYS_capget, &header, capabilities.data) == 0;
        return capabilities;
    }
    static bool Set(Capabilities capabilities) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return ::syscall(SYS_capset, &header, capabilities.data) == 0;
    }

    Capabilities m_saved;
    bool m_read = false;
    bool m_lowered = false;
};

} // namespace curvix::test
