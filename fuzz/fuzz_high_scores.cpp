// The high-score table: read, new scores entered (the last eight bytes of the
// input, when there are that many, give two scores), written and read back.
// Properties: ten rows best first, no negative score, names the name entry could
// have made, and the round trip gives the same table, read in full.
#include "FuzzSupport.h"

#include "screens/HighScoreTable.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::enterGameTree();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<unsigned> scores;
    if (size >= 8) {
        unsigned s[2];
        std::memcpy(s, data + size - 8, 8);
        scores = {s[0], s[1]};
    }
    std::vector<HighScoreEntry> table = readHighScoreTable(fuzz::writeScratchFile("HighScores.txt", fuzz::asText(data, size)));
    insertNewScores(table, scores);
    fuzz::require(table.size() == static_cast<size_t>(high_scores::TABLE_ROWS), "ten rows");
    fuzz::require(std::is_sorted(table.begin(), table.end(), highScoreGreater), "best first");
    for (const HighScoreEntry& row : table) {
        fuzz::require(row.score >= 0, "no negative score");
        fuzz::require(!row.name.empty() && row.name.size() <= high_scores::NAME_LENGTH, "names the entry can make");
    }
    const std::string copy = fuzz::scratchFolder() + "/copy.txt";
    fuzz::require(writeHighScoreTable(copy, table), "the table can be written");
    const HighScoreFile written(copy);
    fuzz::require(written.losses().empty(), "what is written reads back in full");
    const std::vector<HighScoreEntry>& reread = written.rows();
    fuzz::require(reread.size() == table.size(), "round trip keeps the rows");
    for (size_t i = 0; i < table.size(); ++i)
        fuzz::require(reread[i].score == table[i].score && reread[i].name == table[i].name, "round trip equal");
    return 0;
}
