#include "ShortenPath.h"

namespace tulma {

std::vector<std::string> SplitPath(const std::string& Path, char Separator) {
    std::vector<std::string> Parts;
    std::string::size_type Start = 0;
    for (;;) {
        const auto End = Path.find(Separator, Start);
        if (End == std::string::npos) {
            Parts.push_back(Path.substr(Start));
            return Parts;
        }
        Parts.push_back(Path.substr(Start, End - Start));
        Start = End + 1;
    }
}

std::string JoinPath(const std::vector<std::string>& Parts, char Separator) {
    std::string Joined;
    for (std::size_t I = 0; I < Parts.size(); ++I) {
        if (I > 0) {
            Joined += Separator;
        }
        Joined += Parts[I];
    }
    return Joined;
}

std::string ShortenPath(const std::string& Path, char Separator, const std::string& Ellipsis,
                        std::size_t MaxLength) {
    if (Path.size() <= MaxLength) {
        return Path;
    }
    std::vector<std::string> Parts = SplitPath(Path, Separator);
    if (Parts.size() < 3) {
        return Path;
    }
    Parts[1] = Ellipsis;
    std::string Joined = JoinPath(Parts, Separator);
    while (Joined.size() > MaxLength && Parts.size() > 3) {
        Parts.erase(Parts.begin() + 2);
        Joined = JoinPath(Parts, Separator);
    }
    return Joined;
}

}  // namespace tulma
