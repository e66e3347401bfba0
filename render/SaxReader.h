#ifndef FERROWIND_SAXREADER_H
#define FERROWIND_SAXREADER_H

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// A small SAX layer over expat: a document is reported as a stream of element
// starts and ends and character data to a handler.

// A problem found in a document; the text names the file and, for a malformed
// document, the line and column.
class SaxParseException : public std::runtime_error {
public:
    SaxParseException(const std::string& message, const std::string& systemId, int line, int column);
    const std::string& Message() const { return m_message; }
    int Line() const { return m_line; }
    int Column() const { return m_column; }

private:
    std::string m_message;
    int m_line;
    int m_column;
};

// The attributes of one start tag, by qualified name.
class SaxAttributes {
public:
    void Add(const std::string& qName, const std::string& value) { m_items.push_back(std::make_pair(qName, value)); }
    // The value of the attribute, or an empty string when the tag has none.
    std::string getValue(const std::string& qName) const;

private:
    std::vector<std::pair<std::string, std::string> > m_items;
};

// Receives the events of one document. The defaults ignore everything except
// fatal errors, which end the parse by throwing.
class CSaxDefaultHandler {
public:
    virtual ~CSaxDefaultHandler() {}
    virtual void startElement(const std::string& namespaceURI, const std::string& localName,
                              const std::string& qName, const SaxAttributes& attributes);
    virtual void endElement(const std::string& namespaceURI, const std::string& localName, const std::string& qName);
    virtual void characters(const std::string& text);
    virtual void warning(const SaxParseException& exception);
    virtual void error(const SaxParseException& exception);
    virtual void fatalError(const SaxParseException& exception);
};

// Parses the XML file at `path`, reporting to `handler`. An unreadable or
// malformed file goes to the handler's fatalError; whatever the handler
// throws leaves this function. No namespace processing: namespaceURI is
// empty and localName is the qualified name without its prefix.
void SaxParseFile(const char* path, CSaxDefaultHandler& handler);

#endif
