#include "CommandLine.h"

namespace tulma {

namespace {

bool IsBlank(char C) {
    return C == ' ' || C == '\t';
}

class TSplitter {
  public:
    explicit TSplitter(const std::string& Text) : Text(Text) {}

    std::vector<std::string> Run() {
        while (Pos < Text.size()) {
            const char C = Text[Pos];
            if (C == '\\') {
                Backslashes();
            } else if (C == '"') {
                ToggleGroup();
            } else if (IsBlank(C) && !InGroup) {
                EndWord();
                ++Pos;
            } else {
                Append(C);
                ++Pos;
            }
        }
        EndWord();
        return std::move(Words);
    }

  private:
    const std::string& Text;
    std::size_t Pos = 0;
    std::vector<std::string> Words;
    std::string Word;
    bool InWord = false;
    bool InGroup = false;

    void Append(char C) {
        Word += C;
        InWord = true;
    }

    void EndWord() {
        if (InWord) {
            Words.push_back(std::move(Word));
            Word.clear();
            InWord = false;
        }
    }

    void ToggleGroup() {
        InGroup = !InGroup;
        InWord = true;
        ++Pos;
    }

    // A run of backslashes: literal, unless a double quote follows it.
    void Backslashes() {
        const std::size_t End = Text.find_first_not_of('\\', Pos);
        const std::size_t Count = (End == std::string::npos ? Text.size() : End) - Pos;
        Pos += Count;
        const bool BeforeQuote = Pos < Text.size() && Text[Pos] == '"';
        Word.append(BeforeQuote ? Count / 2 : Count, '\\');
        InWord = true;
        if (BeforeQuote && Count % 2 == 1) {
            Append('"');
            ++Pos;
        }
    }
};

}  // namespace

std::vector<std::string> SplitParameters(const std::string& Text) {
    return TSplitter(Text).Run();
}

}  // namespace tulma
