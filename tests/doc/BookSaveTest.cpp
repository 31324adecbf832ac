// A save stopped at any of its steps, as a crash or a power cut would stop it,
// leaves the book's name holding the old book or the new one, never nothing;
// the next save removes the temporary files the stopped ones left.

#include "doc/BookSave.h"
#include "model/AddrBookFile.h"
#include "platform/FileStep.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

int g_stepsLeft = 0;

void StopAtStep() {
    if (--g_stepsLeft == 0)
        ::_exit(99);
}

void Fill(CAddrBook& book, int cards) {
    book.m_methods.SetDefaults();
    for (int i = 0; i < cards; ++i) {
        auto* card = new CAddrCard;
        card->m_nNotation = 1;
        card->m_strName = "card";
        book.AddCard(card);
    }
}

// The number of cards of the book by that name; -1 when it cannot be read.
int CardsIn(const fs::path& path) {
    CAddrBook book;
    return LoadAddrBook(path.c_str(), book) ? -1 : book.GetCount();
}

// Saves a book of `cards` cards in a child process that ends at the given
// file step; true when the save ran to its end before that step came.
bool SaveStoppedAt(const fs::path& path, int cards, int step) {
    const pid_t child = ::fork();
    if (child == 0) {
        CAddrBook book;
        Fill(book, cards);
        g_stepsLeft = step;
        SetFileStepHook(StopAtStep);
        const bool saved =
            !SaveBookSafely(path.c_str(), book, BackupPolicy{TRUE, 2, "bak"}, [] { return false; });
        ::_exit(saved ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 1) << "the save failed at step " << step;
    return WEXITSTATUS(status) == 0;
}

} // namespace

TEST(BookSave, StoppedAtAnyStepTheBookIsOldOrNew) {
    const fs::path dir =
        fs::temp_directory_path() / ("kolvane-stops-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path book = dir / "book.kvd";

    int old = 1;
    CAddrBook first;
    Fill(first, old);
    ASSERT_FALSE(SaveAddrBook(book.c_str(), first));
    for (int step = 1;; ++step) {
        SCOPED_TRACE(step);
        ASSERT_LT(step, 50) << "the save never ran to its end";
        const int fresh = old + 1;
        const bool done = SaveStoppedAt(book, fresh, step);
        const int found = CardsIn(book);
        EXPECT_TRUE(found == old || found == fresh) << "the book holds " << found << " cards";
        if (done) {
            EXPECT_EQ(found, fresh);
            break;
        }
        old = found;
    }

    // The stopped saves left temporary files; a whole save takes them away
    // and leaves other files alone.
    fs::copy_file(book, dir / "other.kvd");
    CAddrBook last;
    Fill(last, 9);
    ASSERT_FALSE(
        SaveBookSafely(book.c_str(), last, BackupPolicy{TRUE, 2, "bak"}, [] { return false; }));
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"book.kvd", "book.kvd.bak", "book.kvd.bak.1",
                                              "book.kvd.bak.2", "other.kvd"}));
    EXPECT_EQ(CardsIn(book), 9);
    fs::remove_all(dir);
}
