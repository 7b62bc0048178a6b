// Temporary file, then rename: a failed save leaves the earlier file as it was.
#include "atomic_write.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

long g_lWrite_Fault_After = -1;

namespace {

/// Writes everything or fails with errno set; the test fault fails like a full disk.
bool writeAll(int iFile, const char* pcBytes, std::size_t uiLength) {
    if (g_lWrite_Fault_After >= 0 && uiLength > static_cast<std::size_t>(g_lWrite_Fault_After)) {
        g_lWrite_Fault_After = -1;
        errno = ENOSPC;
        return false;
    }
    while (uiLength > 0) {
        const ssize_t iWritten = ::write(iFile, pcBytes, uiLength);
        if (iWritten < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        pcBytes += iWritten;
        uiLength -= static_cast<std::size_t>(iWritten);
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const char* acPath, const std::string& sBytes, std::string& sError, bool& bOpened) {
    std::string sTemporary = std::string(acPath) + ".XXXXXX";
    const int iFile = ::mkstemp(&sTemporary[0]);
    bOpened = iFile >= 0;
    if (!bOpened) {
        sError = std::strerror(errno);
        return false;
    }
    const mode_t uiMask = ::umask(0);   // the temporary file is private; the saved one is not
    ::umask(uiMask);
    ::fchmod(iFile, 0666 & ~uiMask);
    bool bOk = writeAll(iFile, sBytes.data(), sBytes.size()) && ::fsync(iFile) == 0;
    int iSaved_Errno = errno;
    if (::close(iFile) != 0 && bOk) {
        bOk = false;
        iSaved_Errno = errno;
    }
    if (bOk && ::rename(sTemporary.c_str(), acPath) != 0) {
        bOk = false;
        iSaved_Errno = errno;
    }
    if (!bOk) {
        ::unlink(sTemporary.c_str());
        sError = std::strerror(iSaved_Errno);
    }
    return bOk;
}
