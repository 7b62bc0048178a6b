// SPDX-License-Identifier: GPL-3.0-or-later
// Temporary file, then rename: a failed save leaves the earlier file as it was.
#include "atomic_write.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

long g_lWrite_Fault_After = -1;

namespace {

const int gc_iMAX_LINKS = 40;   ///< as many links as the system follows in one path
unsigned lg_uiTemporary = 0;    ///< the last temporary name's number

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

/// Tries short names in sFolder until bMake does not find its name taken. A short name fits
/// beside the longest legal file name; on failure sName is empty, as nothing was made.
template <class Make>
bool makeNamed(const std::string& sFolder, std::string& sName, Make bMake) {
    for (;;) {
        sName = sFolder + ".orbex-" + std::to_string(::getpid()) + '-' + std::to_string(++lg_uiTemporary);
        if (bMake(sName.c_str())) return true;
        if (errno != EEXIST) {
            sName.clear();
            return false;
        }
    }
}

/// Opens a file without a name in sFolder, so that a save killed part-way leaves nothing behind;
/// where the file system has no such files, a named one (sName).
int openTemporary(const std::string& sFolder, std::string& sName) {
    int iFile = ::open(sFolder.empty() ? "." : sFolder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (iFile >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return iFile;
    makeNamed(sFolder, sName, [&iFile](const char* acName) {
        iFile = ::open(acName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        return iFile >= 0;
    });
    return iFile;
}

/// Gives the complete unnamed file a short name in sFolder, ready to be renamed over the target.
bool nameUnnamed(int iFile, const std::string& sFolder, std::string& sName) {
    const std::string sSelf = "/proc/self/fd/" + std::to_string(iFile);
    return makeNamed(sFolder, sName, [&sSelf](const char* acName) {
        return ::linkat(AT_FDCWD, sSelf.c_str(), AT_FDCWD, acName, AT_SYMLINK_FOLLOW) == 0;
    });
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

/// Writes the bytes into the file's own inode, so that its other names see them too.
bool overwrite(const char* acPath, const std::string& sBytes) {
    const int iFile = ::open(acPath, O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (iFile < 0) return false;
    if (!writeAll(iFile, sBytes.data(), sBytes.size()) || ::fsync(iFile) != 0) {
        const int iError = errno;
        ::close(iFile);
        errno = iError;
        return false;
    }
    return ::close(iFile) == 0;
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
    const std::string sFolder = folderOf(sTarget);
    std::string sTemporary;   // named only once complete, unless the file system has no unnamed files
    const int iFile = openTemporary(sFolder, sTemporary);
    bOpened = iFile >= 0;
    if (!bOpened) return failed(errno, sError);
    // A rename would split a file with other names from them, so it is written in place; the
    // temporary copy written first finds a full disk before the file is touched.
    const bool bIn_Place = bOld && S_ISREG(old.st_mode) && old.st_nlink > 1;
    if (bIn_Place && !sTemporary.empty()) {
        ::unlink(sTemporary.c_str());
        sTemporary.clear();
    }
    if (!bIn_Place) keepOwnerAndMode(iFile, bOld ? &old : nullptr);
    bool bOk = writeAll(iFile, sBytes.data(), sBytes.size()) && ::fsync(iFile) == 0 &&
               (bIn_Place || !sTemporary.empty() || nameUnnamed(iFile, sFolder, sTemporary));
    int iError = errno;
    if (::close(iFile) != 0 && bOk) {
        bOk = false;
        iError = errno;
    }
    if (bOk) {
        bOk = bIn_Place ? overwrite(sTarget.c_str(), sBytes) : ::rename(sTemporary.c_str(), sTarget.c_str()) == 0;
        if (!bOk) iError = errno;
    }
    if (bOk) return true;
    if (!sTemporary.empty()) ::unlink(sTemporary.c_str());
    return failed(iError, sError);
}
