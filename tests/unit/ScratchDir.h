#ifndef FERROWIND_TESTS_SCRATCHDIR_H
#define FERROWIND_TESTS_SCRATCHDIR_H

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

// A fresh temporary directory for one test, removed with everything in it.
class ScratchDir {
public:
    ScratchDir()
    {
        char pattern[] = "/tmp/ferrowind-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        m_path = made ? std::string(made) + "/" : std::string();
    }
    ~ScratchDir()
    {
        if (!m_path.empty())
            std::system(("rm -rf '" + m_path + "'").c_str());
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // The directory with a trailing slash.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

    std::string Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(File(name).c_str(), std::ios::binary) << content;
        return File(name);
    }

    std::vector<unsigned char> Read(const std::string& name) const
    {
        std::ifstream in(File(name).c_str(), std::ios::binary);
        return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    std::string m_path;
};

// Works in `dir` while it lives and goes back to the folder it was made in
// when it goes, so that a failed assertion does not leave later tests of the
// same program elsewhere.
class ScopedWorkingDir {
public:
    explicit ScopedWorkingDir(const std::string& dir)
        : m_previous(getcwd(nullptr, 0)), m_entered(m_previous && chdir(dir.c_str()) == 0)
    {
    }
    ~ScopedWorkingDir()
    {
        if (m_entered && chdir(m_previous) != 0) {
            std::fprintf(stderr, "cannot return to %s\n", m_previous);
            std::abort();
        }
        std::free(m_previous);
    }
    ScopedWorkingDir(const ScopedWorkingDir&) = delete;
    ScopedWorkingDir& operator=(const ScopedWorkingDir&) = delete;

    bool Entered() const { return m_entered; }

private:
    char* m_previous;
    bool m_entered;
};

#endif
