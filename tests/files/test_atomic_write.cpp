// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a file whole: through its links, keeping its mode and its other names, refusing what
// the user may not write, and leaving nothing beside it whether the save succeeds, fails or is
// stopped part-way.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "atomic_write.h"

namespace {

std::string lg_sFolder;   ///< the folder of the case being run

std::string at(const char* acName) { return lg_sFolder + "/" + acName; }

void put(const char* acName, const char* acBytes, mode_t uiMode) {
    std::ofstream(at(acName)) << acBytes;
    chmod(at(acName).c_str(), uiMode);
}

void twoNames() {
    put("old", "old", 0644);
    link(at("old").c_str(), at("other").c_str());
}

/// The folder's entries, sorted: "name -> target" for a link, else "name mode links bytes".
std::vector<std::string> listing() {
    std::vector<std::string> asEntries;
    for (const auto& entry : std::filesystem::directory_iterator(lg_sFolder)) {
        struct stat status {};
        lstat(entry.path().c_str(), &status);
        std::ifstream file(entry.path());
        char acMode[8];
        std::snprintf(acMode, sizeof acMode, " %o ", status.st_mode & 07777);
        asEntries.push_back(entry.path().filename().string() +
                            (S_ISLNK(status.st_mode) ? " -> " + std::filesystem::read_symlink(entry.path()).string()
                                                     : acMode + std::to_string(status.st_nlink) + " " +
                                                           std::string(std::istreambuf_iterator<char>(file), {})));
    }
    std::sort(asEntries.begin(), asEntries.end());
    return asEntries;
}

struct ClSave {
    const char* acCase;
    void (*pfnMake)();                  ///< the files before the save
    std::string sName;                  ///< the name saved to, with the bytes "new"
    long lFault;                        ///< bytes written before the disk is full (-1: never)
    const char* acError;                ///< the system's reason, "" when the save succeeds
    std::vector<std::string> asAfter;   ///< the folder's listing afterwards
    bool bStopped = false;              ///< the system stops the save at lFault instead, as a kill would
};

void expectSave(const ClSave& c) {
    SCOPED_TRACE(c.acCase);
    char acFolder[] = "/tmp/orbex-save-XXXXXX";
    ASSERT_NE(mkdtemp(acFolder), nullptr);
    lg_sFolder = acFolder;
    const mode_t uiMask = umask(022);
    c.pfnMake();
    const std::string sPath = at(c.sName.c_str());
    std::string sError;
    bool bOpened = false;
    if (c.bStopped) {
        const pid_t iChild = fork();
        if (iChild == 0) {
            const rlimit limit{static_cast<rlim_t>(c.lFault), static_cast<rlim_t>(c.lFault)};
            setrlimit(RLIMIT_FSIZE, &limit);
            signal(SIGXFSZ, [](int) { _exit(1); });   // ends the process with no chance to clean up
            writeFileAtomically(sPath.c_str(), "new", sError, bOpened);
            _exit(0);
        }
        int iStatus = 0;
        waitpid(iChild, &iStatus, 0);
        EXPECT_EQ(WEXITSTATUS(iStatus), 1) << "the save was not stopped part-way";
    } else {
        g_lWrite_Fault_After = c.lFault;
        EXPECT_EQ(writeFileAtomically(sPath.c_str(), "new", sError, bOpened) ? "" : sError, c.acError);
        // A save fails before its temporary file exists, unless the disk fills up.
        EXPECT_EQ(bOpened, *c.acError == '\0' || c.lFault >= 0);
    }
    EXPECT_EQ(listing(), c.asAfter);
    umask(uiMask);
    chmod(acFolder, 0755);
    std::filesystem::remove_all(acFolder);
}

}  // namespace

TEST(ClAtomicWrite, SavesKeepTheFile) {
    const std::string sLongest(255, 'n');
    const ClSave aCASES[] = {
        {"a link", [] { put("real", "old", 0644), symlink("real", at("link").c_str()); }, "link", -1, "",
         {"link -> real", "real 644 1 new"}},
        {"a chain of links to no file yet", [] { symlink("next", at("link").c_str()), symlink("real", at("next").c_str()); },
         "link", -1, "", {"link -> next", "next -> real", "real 644 1 new"}},
        {"a private file", [] { put("old", "old", 0600); }, "old", -1, "", {"old 600 1 new"}},
        {"a file with two names", twoNames, "old", -1, "", {"old 644 2 new", "other 644 2 new"}},
        {"the disk full", [] { put("old", "old", 0644); }, "old", 1, "No space left on device", {"old 644 1 old"}},
        {"the disk full while saving a file with two names", twoNames, "old", 1, "No space left on device",
         {"old 644 2 old", "other 644 2 old"}},
        {"the longest name", [] {}, sLongest, -1, "", {sLongest + " 644 1 new"}},
        {"stopped part-way", [] { put("old", "old", 0644); }, "old", 1, "", {"old 644 1 old"}, true},
    };
    for (const auto& c : aCASES) expectSave(c);
}

TEST(ClAtomicWrite, RefusesWhatTheUserMayNotWrite) {
    if (geteuid() == 0) GTEST_SKIP() << "root may write read-only files and folders, so root sees no refusal";
    const ClSave aCASES[] = {
        {"a read-only file", [] { put("old", "old", 0444); }, "old", -1, "Permission denied", {"old 444 1 old"}},
        {"a read-only folder", [] { put("old", "old", 0644), chmod(lg_sFolder.c_str(), 0555); }, "old", -1, "Permission denied",
         {"old 644 1 old"}},
    };
    for (const auto& c : aCASES) expectSave(c);
}
