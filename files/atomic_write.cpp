// Temporary file, then rename: a failed save leaves the earlier file as it was.
#include "atomic_write.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

long g_lWrite_Fault_After = -1;

namespace {

const int gc_iMAX_LINKS = 40;   ///< as many links as the system follows in one path

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

bool failed(int iError, std::string& sError) {
    sError = std::strerror(iError);
    return false;
}

/// The folder part of a path with its last '/', empty for a name alone.
std::string folderOf(const std::string& sPath) { return sPath.substr(0, sPath.rfind('/') + 1); }

/// Follows the chain of symbolic links, dangling or not, to the name the bytes belong to: the
/// link stays a link and the file it names gets the new bytes.
bool followLinks(std::string& sPath) {
    for (int iLinks = 0;; ++iLinks) {
        char acLink[PATH_MAX];
        const ssize_t iLength = ::readlink(sPath.c_str(), acLink, sizeof acLink);
        if (iLength < 0) return true;   // not a link, or nothing there yet
        if (iLinks == gc_iMAX_LINKS) {
            errno = ELOOP;
            return false;
        }
        const std::string sLink(acLink, static_cast<std::size_t>(iLength));
        sPath = sLink[0] == '/' ? sLink : folderOf(sPath) + sLink;
    }
}

/// The old file's owner where the system lets us give it, and its mode; a new file gets what
/// any new file would.
void keepOwnerAndMode(int iFile, const struct stat* pOld) {
    if (pOld == nullptr) {
        const mode_t uiMask = ::umask(0);
        ::umask(uiMask);
        ::fchmod(iFile, 0666 & ~uiMask);
        return;
    }
    if (::fchown(iFile, pOld->st_uid, pOld->st_gid) != 0) {
        // only root gives a file away: the saver's own file is the best left
    }
    ::fchmod(iFile, pOld->st_mode & 07777);   // after the owner, whose change drops set-id bits
}

}  // namespace

bool writeFileAtomically(const char* acPath, const std::string& sBytes, std::string& sError, bool& bOpened) {
    bOpened = false;
    std::string sTarget = acPath;
    if (!followLinks(sTarget)) return failed(errno, sError);
    struct stat old {};
    const bool bOld = ::stat(sTarget.c_str(), &old) == 0;
    // The rename needs only the folder's permission: the file's own says whether it may change.
    if (bOld && ::faccessat(AT_FDCWD, sTarget.c_str(), W_OK, AT_EACCESS) != 0) return failed(errno, sError);
    std::string sTemporary = sTarget + ".XXXXXX";
    const int iFile = ::mkstemp(&sTemporary[0]);
    bOpened = iFile >= 0;
    if (!bOpened) return failed(errno, sError);
    keepOwnerAndMode(iFile, bOld ? &old : nullptr);
    bool bOk = writeAll(iFile, sBytes.data(), sBytes.size()) && ::fsync(iFile) == 0;
    int iError = errno;
    if (::close(iFile) != 0 && bOk) {
        bOk = false;
        iError = errno;
    }
    if (bOk && ::rename(sTemporary.c_str(), sTarget.c_str()) != 0) {
        bOk = false;
        iError = errno;
    }
    if (bOk) return true;
    ::unlink(sTemporary.c_str());
    return failed(iError, sError);
}
