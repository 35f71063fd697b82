#pragma once
// The localities a saved query may name: those the trees and the
// municipality chooser of this installation put on the chosen list, with
// the text and code they put there. A file edited by hand (or saved on
// another installation) could otherwise name a code no table holds, and
// the query would run to an empty table.
#include <set>
#include <string>
#include <utility>

namespace daxo::platform {
class Query;
}

namespace daxo::localities {

class KnownLocalities {
public:
    // `query` reads the state's municipalities as the chooser does.
    explicit KnownLocalities(daxo::platform::Query& query) : query_(query) {}

    // Empty when the locality is known for the indicator; otherwise why
    // not, in Portuguese. Throws MunicipalityTableError.
    std::string problem(const std::string& text, const std::string& code, int indicator);

private:
    bool fromTrees(const std::string& text, const std::string& code, int indicator) const;
    bool fromChooser(const std::string& text, const std::string& code);

    daxo::platform::Query& query_;
    std::set<std::string> loadedStates_;
    std::set<std::pair<std::string, std::string>> municipalities_;
};

} // namespace daxo::localities
