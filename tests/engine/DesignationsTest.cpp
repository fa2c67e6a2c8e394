#include "engine/Designations.h"

#include <gtest/gtest.h>

#include <set>

namespace varnholt {
namespace {

std::vector<std::string> MasterDesignations(int count) {
    DesignationLetters letters;
    StartMasterDesignations(letters, count);
    std::vector<std::string> names{letters.MasterDesignation};
    while (static_cast<int>(names.size()) < count) {
        AdvanceMasterDesignation(letters);
        names.push_back(letters.MasterDesignation);
    }
    return names;
}

TEST(Designations, TwentyTwoMastersAreLettersWithoutIOQX) {
    const std::vector<std::string> names = MasterDesignations(22);
    std::string letters;
    for (const std::string& name : names)
        letters += name;
    EXPECT_EQ(letters, "ABCDEFGHJKLMNPRSTUVWYZ");
}

TEST(Designations, TwentyThreeMastersRunFromAAToBA) {
    const std::vector<std::string> names = MasterDesignations(23);
    EXPECT_EQ(names.front(), "AA");
    EXPECT_EQ(names[1], "AB");
    EXPECT_EQ(names[21], "AZ");
    EXPECT_EQ(names.back(), "BA");
}

TEST(Designations, EveryMasterCountHasUniquePlainLetters) {
    for (int count : {22, 23, 484, 485, 1296}) {
        const std::vector<std::string> names = MasterDesignations(count);
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << count;
        for (const std::string& name : names)
            for (char letter : name)
                EXPECT_TRUE(letter >= 'A' && letter <= 'Z' && letter != 'I' && letter != 'O' &&
                            letter != 'Q' && letter != 'X')
                    << count << " " << name;
    }
}

// Sub-master names under each of the first masters, joined with the master's own.
std::set<std::string> FullNames(int masters, int subMasters,
                                std::vector<std::string>* masterNames = nullptr) {
    DesignationLetters letters;
    StartMasterDesignations(letters, masters);
    std::set<std::string> names;
    for (int master = 0; master < std::min(masters, 3); ++master) {
        if (master > 0)
            AdvanceMasterDesignation(letters);
        if (masterNames)
            masterNames->push_back(letters.MasterDesignation);
        StartSubDesignations(letters, masters, subMasters);
        for (int sub = 0; sub < subMasters; ++sub) {
            if (sub > 0)
                AdvanceSubDesignation(letters, subMasters);
            names.insert(letters.MasterDesignation + letters.SubDesignation);
        }
    }
    return names;
}

TEST(Designations, SubMastersOfOneLetterMastersFollowTheMastersLetter) {
    DesignationLetters letters;
    StartMasterDesignations(letters, 5);
    AdvanceMasterDesignation(letters);
    AdvanceMasterDesignation(letters);
    StartSubDesignations(letters, 5, 3);
    EXPECT_EQ(letters.MasterDesignation + letters.SubDesignation, "CA");
    AdvanceSubDesignation(letters, 3);
    EXPECT_EQ(letters.MasterDesignation + letters.SubDesignation, "CB");
    EXPECT_EQ(FullNames(5, 30).size(), 3U * 30U);
}

TEST(Designations, ManySubMastersOfTwoLetterMastersKeepTheMastersLetters) {
    std::vector<std::string> masters;
    const std::set<std::string> names = FullNames(23, 36, &masters);
    EXPECT_EQ(names.size(), 3U * 36U) << "every sub-master has a name of its own";
    EXPECT_EQ(masters, (std::vector<std::string>{"AA", "AB", "AC"}));
    EXPECT_TRUE(names.count("AAAA"));
    EXPECT_TRUE(names.count("AABP")) << "the 36th sub-master of master AA";
    for (const std::string& name : names)
        EXPECT_EQ(name.size(), 4U);
}

} // namespace
} // namespace varnholt
