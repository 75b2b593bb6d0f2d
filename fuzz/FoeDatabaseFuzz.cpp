// Target foe_database: the input is the whole bestiary file. It is opened as
// the calculator opens it, every category is listed and a few names are
// looked up. A DatabaseError is a fine answer; any other exception, a broken
// rule or a changed file is a finding.

#include "BestiaryRules.h"
#include "FuzzOne.h"
#include "OpenFoeDatabase.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// A private folder for the whole run; each input becomes its Vorn.mdb.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorn-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            fuzzFailure("a scratch folder can be made");
        folder_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path file() const { return folder_ / kDatabaseFileName; }

    // Each input starts in an empty folder: what one input left must not
    // reach the next.
    void clear() const
    {
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            std::filesystem::remove_all(entry.path());
    }

    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path folder_;
};

std::string contentOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// Names a game master might type, including SQL wildcards and quotes.
constexpr const char* kProbeNames[] = {"", "Goblin", "%", "_", "'", "[Generic]"};

void exercise(FoeDatabase& bestiary)
{
    const std::string broken = brokenBestiaryRule(bestiary);
    fuzzCheck(broken.empty(), broken);
    for (const char* name : kProbeNames)
        bestiary.findFoe(name, kDefaultCategory);
}

}  // namespace

int fuzzOne(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFolder scratch;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    scratch.clear();
    std::ofstream(scratch.file(), std::ios::binary | std::ios::trunc) << bytes;

    try {
        exercise(*openFoeDatabase(scratch.file()));
    } catch (const DatabaseError& error) {
        fuzzCheck(std::string(error.what()).find(scratch.file().string()) != std::string::npos,
                  "a database error names the file");
        fuzzCheck(!error.fault().empty(), "a database error names the fault");
    } catch (const std::exception& error) {
        fuzzFailure(std::string("only a DatabaseError leaves the bestiary, not: ") + error.what());
    }
    fuzzCheck(contentOf(scratch.file()) == bytes, "the bestiary file is left byte for byte as it was");
    fuzzCheck(scratch.entries() == std::vector<std::string>{kDatabaseFileName},
              "nothing is left beside the bestiary");
    return 0;
}
