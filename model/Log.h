// The program's lines: progress on standard output, problems on standard
// error, each written as given and flushed at once, so that a script waiting
// for a line sees it. Tests take them instead through a sink.
#ifndef FERROWIND_LOG_H
#define FERROWIND_LOG_H

#include <functional>
#include <string>

#if defined(__GNUC__) && !defined(_WIN32)
#define FERROWIND_PRINTF(n) __attribute__((format(printf, n, n + 1)))
#else
#define FERROWIND_PRINTF(n)
#endif

enum ELogStream { LOG_OUT, LOG_ERR };

void LogOut(const char* format, ...) FERROWIND_PRINTF(1);
void LogErr(const char* format, ...) FERROWIND_PRINTF(1);

// While a sink is set, every text goes to it instead of the streams; an empty
// function sets the streams back.
using LogSink = std::function<void(ELogStream stream, const std::string& text)>;
void SetLogSink(LogSink sink);

#endif
