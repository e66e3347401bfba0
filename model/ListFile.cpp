#include "ListFile.h"
#include "model/Log.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

CListFile::CListFile(const char* path) : m_file(std::fopen(path, "rt")) {}

CListFile::~CListFile()
{
    if (m_file)
        std::fclose(m_file);
}

bool CListFile::NextToken(std::string& token)
{
    token.clear();
    if (!m_file)
        return false;
    int c;
    while ((c = std::fgetc(m_file)) != EOF && std::isspace(c)) {
    }
    while (c != EOF && !std::isspace(c)) {
        token.push_back((char)c);
        c = std::fgetc(m_file);
    }
    return !token.empty();
}

bool CListFile::ReadWord(std::string& word)
{
    return NextToken(word);
}

bool CListFile::ReadInt(int& value)
{
    std::string token;
    if (!NextToken(token))
        return false;
    char* end = 0;
    errno = 0;
    long v = std::strtol(token.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < -2147483647L - 1 || v > 2147483647L)
        return false;
    value = (int)v;
    return true;
}

bool CListFile::ReadFloat(float& value)
{
    std::string token;
    if (!NextToken(token))
        return false;
    char* end = 0;
    float v = std::strtof(token.c_str(), &end);
    if (*end != '\0')
        return false;
    value = v;
    return true;
}

bool CListFile::StartList(const char* path, const char* entries, int& count)
{
    if (!IsOpen()) {
        LogOut("Error: Couldn't open %s\n", path);
        return false;
    }
    long size = SizeFromStart();
    if (!ReadInt(count) || count < 0) {
        LogOut("Error: %s doesn't start with a %s count\n", path, entries);
        return false;
    }
    // Every entry takes at least one byte: a larger count is damage, and the
    // loaders size their tables by it. A file whose size cannot be measured
    // is taken at its word.
    if (size >= 0 && count > size) {
        LogOut("Error: %s counts %d %ss, more than the file can hold\n", path, count, entries);
        return false;
    }
    return true;
}

long CListFile::SizeFromStart()
{
    long size = std::fseek(m_file, 0, SEEK_END) == 0 ? std::ftell(m_file) : -1;
    std::rewind(m_file);
    return size;
}
