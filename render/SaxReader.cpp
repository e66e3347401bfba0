#include "render/SaxReader.h"

#include <expat.h>

#include <cstdio>
#include <exception>
#include <sstream>

namespace {

std::string DescribeProblem(const std::string& message, const std::string& systemId, int line, int column)
{
    std::ostringstream text;
    text << systemId;
    if (line > 0)
        text << ":" << line << ":" << column;
    text << ": " << message;
    return text.str();
}

// State shared with expat's C callbacks. An exception must not unwind through
// expat, so a callback that throws stops the parser and the exception is
// rethrown once expat has returned.
struct SParseContext {
    XML_Parser parser;
    CSaxDefaultHandler* handler;
    std::exception_ptr failure;
};

std::string LocalName(const std::string& qName)
{
    std::string::size_type colon = qName.find(':');
    return colon == std::string::npos ? qName : qName.substr(colon + 1);
}

template <class F>
void Guarded(SParseContext* context, F call)
{
    if (context->failure)
        return;
    try {
        call();
    } catch (...) {
        context->failure = std::current_exception();
        XML_StopParser(context->parser, XML_FALSE);
    }
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** atts)
{
    SParseContext* context = static_cast<SParseContext*>(data);
    Guarded(context, [&]() {
        SaxAttributes attributes;
        for (int i = 0; atts[i]; i += 2)
            attributes.Add(atts[i], atts[i + 1]);
        std::string qName(name);
        context->handler->startElement(std::string(), LocalName(qName), qName, attributes);
    });
}

void XMLCALL OnEnd(void* data, const XML_Char* name)
{
    SParseContext* context = static_cast<SParseContext*>(data);
    Guarded(context, [&]() {
        std::string qName(name);
        context->handler->endElement(std::string(), LocalName(qName), qName);
    });
}

void XMLCALL OnCharacters(void* data, const XML_Char* text, int length)
{
    SParseContext* context = static_cast<SParseContext*>(data);
    Guarded(context, [&]() { context->handler->characters(std::string(text, (std::size_t)length)); });
}

// Feeds the file to expat; returns false when expat stopped with an error
// (a malformed document, or a handler that threw).
bool Feed(SParseContext& context, FILE* file)
{
    char buffer[65536];
    for (;;) {
        std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        bool last = got < sizeof buffer;
        if (XML_Parse(context.parser, buffer, (int)got, last ? XML_TRUE : XML_FALSE) == XML_STATUS_ERROR)
            return false;
        if (last)
            return true;
    }
}

}  // namespace

SaxParseException::SaxParseException(const std::string& message, const std::string& systemId, int line, int column)
    : std::runtime_error(DescribeProblem(message, systemId, line, column)),
      m_message(message), m_line(line), m_column(column)
{
}

std::string SaxAttributes::getValue(const std::string& qName) const
{
    for (const auto& item : m_items)
        if (item.first == qName)
            return item.second;
    return std::string();
}

void CSaxDefaultHandler::startElement(const std::string&, const std::string&, const std::string&, const SaxAttributes&)
{
}

void CSaxDefaultHandler::endElement(const std::string&, const std::string&, const std::string&) {}

void CSaxDefaultHandler::characters(const std::string&) {}

void CSaxDefaultHandler::warning(const SaxParseException&) {}

void CSaxDefaultHandler::error(const SaxParseException&) {}

void CSaxDefaultHandler::fatalError(const SaxParseException& exception)
{
    throw exception;
}

void SaxParseFile(const char* path, CSaxDefaultHandler& handler)
{
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        handler.fatalError(SaxParseException("couldn't open the file", path, 0, 0));
        return;
    }
    SParseContext context;
    context.parser = XML_ParserCreate(0);
    context.handler = &handler;
    XML_SetUserData(context.parser, &context);
    XML_SetElementHandler(context.parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(context.parser, OnCharacters);

    bool parsed = Feed(context, file);
    bool readError = std::ferror(file) != 0;
    const char* expatProblem = parsed ? 0 : XML_ErrorString(XML_GetErrorCode(context.parser));
    std::string message = readError ? "read error" : expatProblem ? expatProblem : "";
    int line = (int)XML_GetCurrentLineNumber(context.parser);
    int column = (int)XML_GetCurrentColumnNumber(context.parser);
    XML_ParserFree(context.parser);
    std::fclose(file);

    if (context.failure)
        std::rethrow_exception(context.failure);
    if (!parsed || readError)
        handler.fatalError(SaxParseException(message, path, line, column));
}
