#include "model/Log.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

std::mutex sinkLock;
LogSink sink;

void Write(ELogStream stream, const char* format, va_list args)
{
    va_list measure;
    va_copy(measure, args);
    int length = std::vsnprintf(0, 0, format, measure);
    va_end(measure);
    if (length < 0)
        return;
    std::vector<char> text(length + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    // One line at a time from every thread, whole.
    std::lock_guard<std::mutex> hold(sinkLock);
    if (sink) {
        sink(stream, std::string(text.data(), length));
        return;
    }
    FILE* to = stream == LOG_OUT ? stdout : stderr;
    std::fwrite(text.data(), 1, length, to);
    std::fflush(to);
}

}  // namespace

void LogOut(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Write(LOG_OUT, format, args);
    va_end(args);
}

void LogErr(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    Write(LOG_ERR, format, args);
    va_end(args);
}

void SetLogSink(LogSink newSink)
{
    std::lock_guard<std::mutex> hold(sinkLock);
    sink = std::move(newSink);
}
