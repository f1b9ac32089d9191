#include "notebook/historyindex.h"

#include <string.h>

#include "util/textencoding.h"

namespace {

const char kHeader[] = "Jotwell history entry";
const char* const kKindNames[] = {"version", "deleted"};

// Decimal digits only, and no more than the type holds.
bool ParseNumber(const std::string& text, unsigned long long* value) {
    if (text.empty() || text.size() > 20)
        return false;
    unsigned long long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        unsigned long long next = v * 10 + (unsigned)(c - '0');
        if (next / 10 != v)
            return false;
        v = next;
    }
    *value = v;
    return true;
}

void AddLine(std::string* text, const char* name, const std::string& value) {
    *text += name;
    *text += '=';
    *text += value;
    *text += "\r\n";
}

}  // namespace

bool HistoryIndexText(const HistoryIndex& index, std::string* text) {
    if (index.path.empty() || index.path.find_first_of("\r\n") != std::string::npos)
        return false;
    text->assign(kHeader);
    *text += "\r\n";
    AddLine(text, "kind", kKindNames[index.kind == HISTORY_DELETED ? 1 : 0]);
    AddLine(text, "path", index.path);
    AddLine(text, "kept", std::to_string(index.kept));
    AddLine(text, "time", std::to_string(index.time));
    AddLine(text, "size", std::to_string(index.size));
    // Whatever the caller gives, one line.
    AddLine(text, "first", HistoryFirstLine(index.firstLine.data(), index.firstLine.size()));
    return true;
}

bool HistoryIndexParse(const char* text, size_t size, HistoryIndex* index) {
    index->kind = HISTORY_VERSION;
    index->path.clear();
    index->kept = index->time = index->size = 0;
    index->firstLine.clear();
    bool kind = false, kept = false, sized = false;
    size_t at = 0;
    for (int line = 0; at < size; ++line) {
        size_t end = at;
        while (end < size && text[end] != '\n')
            ++end;
        size_t stop = end > at && text[end - 1] == '\r' ? end - 1 : end;
        std::string content(text + at, stop - at);
        at = end + 1;
        if (line == 0) {
            if (content != kHeader)
                return false;
            continue;
        }
        size_t equals = content.find('=');
        if (equals == std::string::npos)
            continue;
        std::string name = content.substr(0, equals), value = content.substr(equals + 1);
        if (name == "kind") {
            kind = value == kKindNames[0] || value == kKindNames[1];
            index->kind = value == kKindNames[1] ? HISTORY_DELETED : HISTORY_VERSION;
        } else if (name == "path") {
            index->path = value;
        } else if (name == "kept") {
            kept = ParseNumber(value, &index->kept);
        } else if (name == "time") {
            if (!ParseNumber(value, &index->time))
                index->time = 0;
        } else if (name == "size") {
            sized = ParseNumber(value, &index->size);
        } else if (name == "first") {
            index->firstLine = HistoryFirstLine(value.data(), value.size());
        }
    }
    return kind && kept && sized && !index->path.empty() &&
           index->path.find_first_of(std::string("\r\0", 2)) == std::string::npos;
}

std::string HistoryFirstLine(const char* text, size_t size) {
    size_t at = 0;
    while (at < size) {
        size_t end = at;
        while (end < size && text[end] != '\n' && text[end] != '\r')
            ++end;
        std::string line;
        for (size_t i = at; i < end; ++i) {
            unsigned char c = (unsigned char)text[i];
            line += c < 32 || c == 127 ? ' ' : (char)c;
        }
        at = end + 1;
        size_t first = line.find_first_not_of(' ');
        if (first == std::string::npos)
            continue;
        line.erase(0, first);
        line.erase(line.find_last_not_of(' ') + 1);
        line.resize(Utf8Fit(line.c_str(), HISTORY_FIRST_LINE_BYTES));
        return line;
    }
    return std::string();
}
