#pragma once
// An advisory lock (flock) on an address book file. The program holds a
// shared lock on the book it has open, so that a batch writer, which takes an
// exclusive lock without waiting, learns that the program would write its own
// copy of the book over the change at its next save or auto-save. Shared, not
// exclusive: two windows of the program showing one book do not keep each
// other from locking it, and readers need no lock at all.
// A lock belongs to the open file, not to its name: a save renames a new file
// over the book, so the holder takes the lock again on the new file.

class CBookLock {
public:
    enum Kind { shared, exclusive };

    CBookLock() = default;
    ~CBookLock() { Release(); }
    CBookLock(const CBookLock&) = delete;
    CBookLock& operator=(const CBookLock&) = delete;

    // Lets go of the lock held so far and locks the file now at path without
    // waiting. False when another open file holds a lock that conflicts. A
    // file that cannot be opened (not written yet, or unreadable) has nothing
    // to lock: true, and nothing is held.
    bool Take(const char* path, Kind kind);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
