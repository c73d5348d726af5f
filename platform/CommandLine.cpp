#include "CommandLine.h"

namespace tulma {

namespace {

bool IsBlank(char C) {
    return C == ' ' || C == '\t' || C == '\n' || C == '\r';
}

class Splitter {
  public:
    explicit Splitter(const std::string& Text) : Text(Text) {}

    std::optional<std::vector<std::string>> Run() {
        while (Pos < Text.size()) {
            const char C = Text[Pos];
            if (IsBlank(C)) {
                EndWord();
                ++Pos;
            } else if (C == '\'') {
                if (!SingleQuoted()) {
                    return std::nullopt;
                }
            } else if (C == '"') {
                if (!DoubleQuoted()) {
                    return std::nullopt;
                }
            } else if (C == '\\' && Pos + 1 < Text.size()) {
                Append(Text[Pos + 1]);
                Pos += 2;
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

    bool SingleQuoted() {
        const std::size_t Close = Text.find('\'', Pos + 1);
        if (Close == std::string::npos) {
            return false;
        }
        Word.append(Text, Pos + 1, Close - Pos - 1);
        InWord = true;
        Pos = Close + 1;
        return true;
    }

    bool DoubleQuoted() {
        InWord = true;
        for (++Pos; Pos < Text.size(); ++Pos) {
            const char C = Text[Pos];
            if (C == '"') {
                ++Pos;
                return true;
            }
            if (C == '\\' && Pos + 1 < Text.size() && (Text[Pos + 1] == '"' || Text[Pos + 1] == '\\')) {
                ++Pos;
            }
            Word += Text[Pos];
        }
        return false;
    }
};

}  // namespace

std::optional<std::vector<std::string>> SplitParameters(const std::string& Text) {
    return Splitter(Text).Run();
}

}  // namespace tulma
