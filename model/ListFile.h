#ifndef FERROWIND_LISTFILE_H
#define FERROWIND_LISTFILE_H

#include <cstdio>
#include <string>

// Reader for the ".lof" list files: white-space separated tokens, a count
// first, line structure meaningless. Words of any length are read safely.
class CListFile {
public:
    explicit CListFile(const char* path);
    ~CListFile();
    CListFile(const CListFile&) = delete;
    CListFile& operator=(const CListFile&) = delete;

    bool IsOpen() const { return m_file != 0; }
    // Checks that the list opened and reads its entry count, which must not
    // exceed the file's size in bytes; on failure prints one line naming the
    // list and returns false. Must come before any other read.
    bool StartList(const char* path, const char* entries, int& count);
    bool ReadInt(int& value);
    bool ReadFloat(float& value);
    bool ReadWord(std::string& word);

private:
    bool NextToken(std::string& token);
    // The file's size, measured from the start (where it is left), or -1.
    long SizeFromStart();
    FILE* m_file;
};

#endif
