#pragma once

#include <csignal>
#include <sys/resource.h>

// A disk that fills after a number of bytes, for as long as it lives: no file
// of this process may grow past the limit, and neither a write nor a
// reservation of room beyond it succeeds, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        m_set = ::getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        if (m_set) {
            rlimit limit = m_saved;
            limit.rlim_cur = bytes;
            m_set = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        }
    }
    ~FileSizeLimit()
    {
        if (m_set)
            ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool isEffective() const { return m_set; }

private:
    rlimit m_saved = {};
    bool m_set = false;
    void (*m_signal)(int) = nullptr;
};
