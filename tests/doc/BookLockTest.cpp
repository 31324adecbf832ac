// The lock the document holds on its book's file: taken on open, moved to the
// new file each save renames over the book, let go on close.

#include "doc/KolvaneDoc.h"
#include "model/AddrBookFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingUserInteraction.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// What a batch writer meets: an exclusive flock through a second open of the file.
bool LockedElsewhere(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const bool locked = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return locked;
}

} // namespace

TEST(BookLockTest, TheOpenBookIsLockedUntilTheDocumentLetsItGo) {
    CMemorySettingsStore settings;
    RecordingUserInteraction ui;
    AfxSetProfile(&settings);
    AfxSetUserInteraction(&ui);
    QTemporaryDir dir;
    const std::string first = dir.filePath(QStringLiteral("first.kvd")).toStdString();
    const std::string second = dir.filePath(QStringLiteral("second.kvd")).toStdString();
    CAddrBook empty;
    ASSERT_FALSE(SaveAddrBook(first.c_str(), empty));
    ASSERT_FALSE(SaveAddrBook(second.c_str(), empty));

    auto doc = std::make_unique<CKolvaneDoc>();
    EXPECT_FALSE(LockedElsewhere(first));
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
    EXPECT_EQ(ui.Problems(), "");
    AfxSetUserInteraction(nullptr);
    AfxSetProfile(nullptr);
}
