// Takes the program's lines from CaptureLog() until CapturedOut() or
// CapturedErr(), which hand over what each stream got.
#ifndef FERROWIND_TEST_LOGCAPTURE_H
#define FERROWIND_TEST_LOGCAPTURE_H

#include <mutex>
#include <string>

#include "model/Log.h"

namespace logcapture {
inline std::mutex lock;
inline std::string out, err;

inline std::string Stop(const std::string& text)
{
    SetLogSink(nullptr);
    std::lock_guard<std::mutex> hold(lock);
    return text;
}
}  // namespace logcapture

inline void CaptureLog()
{
    {
        std::lock_guard<std::mutex> hold(logcapture::lock);
        logcapture::out.clear();
        logcapture::err.clear();
    }
    SetLogSink([](ELogStream stream, const std::string& text) {
        std::lock_guard<std::mutex> hold(logcapture::lock);
        (stream == LOG_OUT ? logcapture::out : logcapture::err) += text;
    });
}

inline std::string CapturedOut()
{
    return logcapture::Stop(logcapture::out);
}

inline std::string CapturedErr()
{
    return logcapture::Stop(logcapture::err);
}

#endif
