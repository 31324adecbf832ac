// The lock the document holds on its book's file: taken on open, moved to the
// new file each save renames over the book, let go on close.

#include "doc/KolvaneDoc.h"
#include "model/AddrBookFile.h"
#include "platform/MemorySettingsStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// What a batch writer meets: an exclusive flock through a second open of the file.
static bool LockedElsewhere(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const bool locked = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return locked;
}

TEST(BookLockTest, TheOpenBookIsLockedUntilTheDocumentLetsItGo) {
    CMemorySettingsStore settings;
    AfxSetProfile(&settings);
    QTemporaryDir dir;
    const std::string first = dir.filePath(QStringLiteral("1.kvd")).toStdString(),
                      second = dir.filePath(QStringLiteral("2.kvd")).toStdString();
    CAddrBook empty;
    ASSERT_FALSE(SaveAddrBook(first.c_str(), empty) || SaveAddrBook(second.c_str(), empty));

    auto doc = std::make_unique<CKolvaneDoc>();
    ASSERT_TRUE(doc->OnOpenDocument(first.c_str()));
    EXPECT_TRUE(LockedElsewhere(first));
    // The newest backup is the old file itself, which the lock leaves.
    ASSERT_TRUE(doc->OnSaveDocument(first.c_str()));
    EXPECT_TRUE(LockedElsewhere(first));
    EXPECT_FALSE(LockedElsewhere(first + ".bak"));

    ASSERT_TRUE(doc->OnOpenDocument(second.c_str()));
    EXPECT_FALSE(LockedElsewhere(first));
    EXPECT_TRUE(LockedElsewhere(second));
    doc.reset();
    EXPECT_FALSE(LockedElsewhere(second));
    AfxSetProfile(nullptr);
}
