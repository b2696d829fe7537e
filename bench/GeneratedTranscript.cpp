#include "bench/GeneratedTranscript.h"

#include "framework/text/Text.h"

#include <sstream>

void WriteGeneratedTranscript(std::ostream& out, int captions)
{
    out << "<?xml version=\"1.0\" encoding=\"utf-8\" ?><transcript>";
    for (int index = 0; index < captions; ++index) {
        out << "<text start=\"" << Str(index * 2.37) << "\" dur=\"" << Str(2.37 + index % 3) << "\">"
            << "and this is what the speaker says in caption " << Str(index);
        if (index % 10 == 0)
            out << ", isn&amp;#39;t it";
        if (index % 15 == 0)
            out << "\nbefore the next line";
        out << "</text>";
    }
    out << "</transcript>";
}

std::string GeneratedTranscript(int captions)
{
    std::ostringstream answer;
    WriteGeneratedTranscript(answer, captions);
    return std::move(answer).str();
}

void WriteBareSeparators(std::ostream& out, std::size_t bytes)
{
    for (std::size_t written = 0; written + 2 <= bytes; written += 2)
        out << R"(">)";
}
