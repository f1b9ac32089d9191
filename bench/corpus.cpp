// Benchmark corpus. The word list holds none of the words the search
// benchmark looks for, so every note is read to its end.
#include "bench/corpus.h"

#include <stdint.h>
#include <stdio.h>

namespace {

const char* const WORDS[] = {
    "the", "of", "and", "to", "in", "is", "you", "that", "it", "he", "was", "for", "on", "are",
    "as", "with", "his", "they", "at", "be", "this", "have", "from", "or", "one", "had", "by",
    "word", "but", "not", "what", "all", "were", "we", "when", "your", "can", "said", "there",
    "use", "an", "each", "which", "she", "do", "how", "their", "if", "will", "up", "other",
    "about", "out", "many", "then", "them", "these", "so", "some", "her", "would", "make",
    "like", "him", "into", "time", "has", "look", "two", "more", "write", "go", "see", "number",
    "no", "way", "could", "people", "my", "than", "first", "water", "been", "call", "who",
    "oil", "its", "now", "find", "long", "down", "day", "did", "get", "come", "made", "may",
    "part", "meeting", "project", "budget", "call", "email", "phone", "address", "street",
    "office", "report", "monday", "tuesday", "friday", "weekend", "dentist", "doctor",
    "birthday", "garden", "kitchen", "shopping", "milk", "bread", "butter", "cheese", "apples",
    "coffee", "tea", "invoice", "payment", "account", "password", "remember", "tomorrow",
    "yesterday", "morning", "evening", "letter", "parcel", "school", "teacher", "holiday",
    "train", "ticket", "station", "airport", "hotel", "booking", "review", "draft", "notes",
    "ideas", "plan", "list", "todo", "done", "urgent", "later", "maybe", "contract", "client",
    "server", "backup", "printer", "laptop", "screen", "keyboard", "update", "version",
    "recipe", "flour", "sugar", "eggs", "oven", "minutes", "degrees", "chapter", "book",
    "author", "quote", "music", "guitar", "lesson", "exercise", "running", "weight", "sleep",
    "water", "insurance", "car", "garage", "tyres", "service", "repair", "plumber", "window",
    "door", "paint", "blue", "green", "red", "white", "black", "small", "large", "new", "old",
    "good", "better", "best", "important", "question", "answer", "because", "should", "must",
    "please", "thanks", "regards", "sister", "brother", "mother", "father", "friend", "family",
    "children", "weather", "rain", "sunny", "cold", "warm", "january", "march", "june",
    "september", "december", "price", "total", "tax", "receipt", "bank", "loan", "rent",
};
const size_t WORD_COUNT = sizeof WORDS / sizeof WORDS[0];

class Random {
public:
    explicit Random(uint32_t seed) : state(seed) {}
    uint32_t Next(uint32_t range) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state % range;
    }

private:
    uint32_t state;
};

// A short piece that is not a plain word: numbers, dates, paths, braces.
std::string Token(Random& r) {
    char buf[64];
    switch (r.Next(6)) {
    case 0:
        snprintf(buf, sizeof buf, "555-%04u", (unsigned)r.Next(10000));
        break;
    case 1:
        snprintf(buf, sizeof buf, "20%02u-%02u-%02u", (unsigned)r.Next(30),
                 (unsigned)r.Next(12) + 1, (unsigned)r.Next(28) + 1);
        break;
    case 2:
        snprintf(buf, sizeof buf, "%u.%02u", (unsigned)r.Next(500), (unsigned)r.Next(100));
        break;
    case 3:
        snprintf(buf, sizeof buf, "C:\\Docs\\%s.txt", WORDS[r.Next(WORD_COUNT)]);
        break;
    case 4:
        snprintf(buf, sizeof buf, "{%s}", WORDS[r.Next(WORD_COUNT)]);
        break;
    default:
        snprintf(buf, sizeof buf, "%u", (unsigned)r.Next(100000));
        break;
    }
    return buf;
}

std::string Line(Random& r) {
    std::string line;
    const uint32_t words = 3 + r.Next(12);
    for (uint32_t i = 0; i < words; ++i) {
        std::string w = r.Next(12) == 0 ? Token(r) : WORDS[r.Next(WORD_COUNT)];
        if (i == 0 && w[0] >= 'a' && w[0] <= 'z')
            w[0] = (char)(w[0] - 'a' + 'A');
        if (i)
            line += r.Next(15) == 0 ? ", " : " ";
        line += w;
    }
    line += r.Next(4) == 0 ? ":" : ".";
    return line;
}

BenchCorpus Make() {
    BenchCorpus corpus;
    corpus.bytes = 0;
    Random r(20240229);
    corpus.notes.resize(10000);
    for (size_t i = 0; i < corpus.notes.size(); ++i) {
        BenchNote& note = corpus.notes[i];
        char name[32];
        snprintf(name, sizeof name, "Note %05u", (unsigned)i);
        note.name = name;
        const size_t size = 1000 + r.Next(6001);
        while (note.text.size() < size)
            note.text += Line(r) + (r.Next(8) == 0 ? "\r\n\r\n" : "\r\n");
        corpus.bytes += note.text.size();
    }
    return corpus;
}

}  // namespace

const BenchCorpus& TheBenchCorpus() {
    static const BenchCorpus corpus = Make();
    return corpus;
}
