// Finding places by name, and putting them into the form's boxes.
#include <gtest/gtest.h>

#include "atlas/atlas.h"
#include "atlas/place_form.h"

namespace tavrinel::atlas {
namespace {

// A few places with their published populations, names and zones.
std::vector<Place> SmallWorld() {
    return {
        {"Springfield", "Illinois", "United States of America", "America/Chicago", 39.8, -89.6, 116565},
        {"Springfield", "Missouri", "United States of America", "America/Chicago", 37.2, -93.3, 166810},
        {"Chicago", "Illinois", "United States of America", "America/Chicago", 41.85, -87.65, 2720546},
        {"Chicago Heights", "Illinois", "United States of America", "America/Chicago", 41.5, -87.6, 30276},
        {"Sydney", "New South Wales", "Australia", "Australia/Sydney", -33.87, 151.21, 4627345},
        {"Sydney", "Nova Scotia", "Canada", "America/Glace_Bay", 46.1, -60.2, 105968},
        {"Pune", "Maharashtra", "India", "Asia/Kolkata", 18.51957, 73.85535, 3124458},
        {"Punakha", "Punakha", "Bhutan", "Asia/Thimphu", 27.6, 89.9, 21658},
        {"Punta Arenas", "Magallanes", "Chile", "America/Punta_Arenas", -53.2, -70.9, 117430},
        {"Bhīmavaram", "Andhra Pradesh", "India", "Asia/Kolkata", 16.5, 81.5, 142967},
        // A state named like its country: only the order of the qualifiers
        // tells these two apart.
        {"Emiliano Zapata", "Morelos", "Mexico", "America/Mexico_City", 18.84, -99.18, 69064},
        {"Emiliano Zapata", "México", "Mexico", "America/Mexico_City", 19.36, -98.97, 51000},
        // Made up, around the tenfold a bare name needs to be taken.
        {"Tenfold", "North", "Here", "Etc/UTC", 0, 0, 1000},
        {"Tenfold", "South", "Here", "Etc/UTC", 0, 0, 100},
        {"Ninefold", "North", "Here", "Etc/UTC", 0, 0, 999},
        {"Ninefold", "South", "Here", "Etc/UTC", 0, 0, 100},
        {"Nowhere", "North", "Here", "Etc/UTC", 0, 0, 0},
        {"Nowhere", "South", "Here", "Etc/UTC", 0, 0, 0},
        {"Vast", "North", "Here", "Etc/UTC", 0, 0, 4000000000},
        {"Vast", "South", "Here", "Etc/UTC", 0, 0, 430000000},
        // The display name leaves out a state named as its place.
        {"Gwangju", "Gwangju", "Republic of Korea", "Asia/Seoul", 35.15, 126.92, 1416938},
        {"Gwangju", "Gyeonggi-do", "Republic of Korea", "Asia/Seoul", 37.41, 127.26, 179365},
        // Told apart by their accents only.
        {"Chāndur", "Maharashtra", "India", "Asia/Kolkata", 20.82, 77.98, 20000},
        {"Chāndūr", "Maharashtra", "India", "Asia/Kolkata", 21.21, 79.24, 19000},
        {"Awasa", "Southern Nations, Nationalities, and People's Region", "Ethiopia",
         "Africa/Addis_Ababa", 7.06, 38.48, 133097},
    };
}

struct FindCase {
    const char* Text;
    const char* Found;  // "Name, State", or nullptr
    std::size_t Candidates;
    std::size_t AlsoNamed = 0;  // a shared bare name taken for the largest
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.Text; }

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, FindsOnePlaceOrListsCandidates) {
    const Atlas atlas(SmallWorld());
    const FindCase& c = GetParam();
    const PlaceLookup lookup = atlas.Find(c.Text);
    if (c.Found) {
        ASSERT_NE(lookup.Found, nullptr);
        EXPECT_EQ(lookup.Found->Name + ", " + lookup.Found->State, c.Found);
    } else {
        EXPECT_EQ(lookup.Found, nullptr);
    }
    EXPECT_EQ(lookup.Candidates.size(), c.Candidates);
    EXPECT_EQ(lookup.AlsoNamed.size(), c.AlsoNamed);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FindTest,
    testing::Values(FindCase{"Chicago", "Chicago, Illinois", 0},      // not Chicago Heights
                    FindCase{"chicago heights", "Chicago Heights, Illinois", 0},
                    FindCase{"Springfield", nullptr, 2},
                    FindCase{"Springfield, Illinois", "Springfield, Illinois", 0},
                    FindCase{"Springfield , missouri , United States of America",
                             "Springfield, Missouri", 0},
                    // 4.6 million against 106 thousand: the bare name is taken.
                    FindCase{"Sydney", "Sydney, New South Wales", 0, 1},
                    FindCase{"Tenfold", "Tenfold, North", 0, 1},
                    FindCase{"Ninefold", nullptr, 2},
                    FindCase{"Nowhere", nullptr, 2},
                    FindCase{"Vast", nullptr, 2},  // ten times would overflow 32 bits
                    FindCase{"Tenfold, Here", nullptr, 2},  // only a bare name
                    FindCase{"Sydney, Australia", "Sydney, New South Wales", 0},
                    FindCase{"Pune, India", "Pune, Maharashtra", 0},
                    FindCase{"Bhimavaram", "Bhīmavaram, Andhra Pradesh", 0},
                    FindCase{"Pun", nullptr, 3},   // only names beginning with it
                    FindCase{"Springfield, Ohio", nullptr, 0},
                    FindCase{"Atlantis", nullptr, 0}, FindCase{" , ", nullptr, 0},
                    // A state or country alone names no place, even one
                    // called like it.
                    FindCase{", Chicago", nullptr, 0}, FindCase{" ,Pune, India", nullptr, 0},
                    FindCase{"Emiliano Zapata, Mexico", nullptr, 2},
                    FindCase{"Emiliano Zapata, Mexico, Mexico", "Emiliano Zapata, México", 0},
                    FindCase{"Emiliano Zapata, Morelos, Mexico", "Emiliano Zapata, Morelos", 0},
                    // Coordinates (and the zone) in brackets tell apart what
                    // the names cannot.
                    FindCase{"Springfield (37:12N 93:18W)", "Springfield, Missouri", 0},
                    FindCase{"Springfield, United States of America (39:48N 89:36W, "
                             "America/Chicago)", "Springfield, Illinois", 0},
                    FindCase{"Springfield (37:12N 93:18W, Europe/Paris)", nullptr, 0},
                    FindCase{"Springfield (37:12N 93:19W)", nullptr, 0},
                    // Texts spelt as a display name.
                    FindCase{"Gwangju", nullptr, 2},
                    FindCase{"Gwangju, Republic of Korea", "Gwangju, Gwangju", 0},
                    FindCase{"gwangju ,republic of korea", "Gwangju, Gwangju", 0},
                    FindCase{"Chandur", nullptr, 2},
                    FindCase{"Chāndūr, Maharashtra, India", "Chāndūr, Maharashtra", 0},
                    FindCase{"Chāndur, Maharashtra, India", "Chāndur, Maharashtra", 0},
                    FindCase{"Awasa, Southern Nations, Nationalities, and People's Region, "
                             "Ethiopia", "Awasa, Southern Nations, Nationalities, and People's "
                             "Region", 0}));

TEST(CompleteTest, OffersLargerPlacesFirst) {
    const Atlas atlas(SmallWorld());
    const auto names = [&atlas](const char* text, std::size_t limit) {
        std::vector<std::string> out;
        for (const Place* p : atlas.Complete(text, limit)) {
            out.push_back(p->Name + ", " + p->State);
        }
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(names("pun", 5), (V{"Pune, Maharashtra", "Punta Arenas, Magallanes", "Punakha, Punakha"}));
    EXPECT_EQ(names("SPRING", 1), (V{"Springfield, Missouri"}));
    EXPECT_EQ(names("Chicago", 5), (V{"Chicago, Illinois", "Chicago Heights, Illinois"}));
    EXPECT_EQ(names("Bhīm", 5), (V{"Bhīmavaram, Andhra Pradesh"}));
    EXPECT_EQ(names("", 5), V{});
    EXPECT_EQ(names("Zanzibar", 5), V{});
}

TEST(PackagedAtlasTest, HoldsTheGeoNamesCities) {
    const Atlas& atlas = Atlas::Shared();
    EXPECT_EQ(atlas.Size(), 24361u);  // the count the package states
    const PlaceLookup pune = atlas.Find("Pune, India");
    ASSERT_NE(pune.Found, nullptr);
    EXPECT_EQ(DisplayName(*pune.Found), "Pune, Maharashtra, India");
    EXPECT_EQ(pune.Found->Zone, "Asia/Kolkata");
    EXPECT_EQ(atlas.Find("Chicago").Found->State, "Illinois");
}

// A bare name that several places share, one of them at least ten times as
// populous as the next (GeoNames' populations): which was taken, and what
// else the name means. Springfield, Missouri is not ten times Springfield,
// Massachusetts.
TEST(PackagedAtlasTest, SaysWhichPlaceASharedNameWasTakenFor) {
    const Atlas& atlas = Atlas::Shared();
    const std::pair<const char*, const char*> cases[] = {
        {"London", "London was taken for London, England, United Kingdom, at least 10 times as "
                   "populous as any other place of that name; it also names London, Ontario, "
                   "Canada"},
        {"Sydney", "Sydney was taken for Sydney, New South Wales, Australia, at least 10 times "
                   "as populous as any other place of that name; it also names Sydney, Nova "
                   "Scotia, Canada"},
        {"Dhaka", "Dhaka was taken for Dhaka, Bangladesh, at least 10 times as populous as any "
                  "other place of that name; it also names Dhāka, Bihar, India"},
        {"Pune", ""},
        {"Springfield", ""},
    };
    for (const auto& [name, clause] : cases) {
        EXPECT_EQ(SharedNameClause(atlas.Find(name)), clause) << name;
    }
    const PlaceLookup springfield = atlas.Find("Springfield, Illinois");
    ASSERT_NE(springfield.Found, nullptr);
    EXPECT_EQ(PlaceList(atlas.OthersNamedAs(*springfield.Found), 2),
              "Springfield, Missouri, United States of America; Springfield, Massachusetts, "
              "United States of America and 5 more");
}

// Every text the program shows for a place finds that place, over the
// whole packaged atlas (the places whose names begin with a Latin letter,
// all but a handful): the candidate text that lists and the window offer,
// and the refusal's line with the coordinates and the zone.
TEST(PackagedAtlasTest, EveryPlaceIsFoundByTheTextsShownForIt) {
    const Atlas& atlas = Atlas::Shared();
    std::size_t places = 0;
    for (const char letter : std::string_view("abcdefghijklmnopqrstuvwxyz")) {
        for (const Place* place : atlas.Complete(std::string(1, letter), atlas.Size())) {
            ++places;
            const std::string text = atlas.CandidateText(*place);
            EXPECT_EQ(atlas.Find(text).Found, place) << text;
            const std::string line =
                DisplayName(*place) + " (" + CoordinatesText(*place) + ", " + place->Zone + ")";
            EXPECT_EQ(atlas.Find(line).Found, place) << line;
        }
    }
    EXPECT_GT(places, atlas.Size() - 10);
}

// Rounded to the nearest whole minute of arc, as the boxes hold minutes.
TEST(ToBoxAngleTest, RoundsToTheNearestMinute) {
    struct Case {
        double Degrees;
        BoxAngle Box;
    };
    const Case cases[] = {
        {18.51957, {18, 31, true}},   {73.85535, {73, 51, true}}, {-87.65005, {87, 39, false}},
        {-33.86785, {33, 52, false}}, {59.99999, {60, 0, true}},   {0.00833, {0, 0, true}},
        {-0.5, {0, 30, false}},
    };
    for (const Case& c : cases) {
        const BoxAngle box = ToBoxAngle(c.Degrees);
        EXPECT_EQ(box.Degrees, c.Box.Degrees) << c.Degrees;
        EXPECT_EQ(box.Minutes, c.Box.Minutes) << c.Degrees;
        EXPECT_EQ(box.Positive, c.Box.Positive) << c.Degrees;
    }
}

TEST(FillPlaceTest, FillsEveryPlaceBoxFolded) {
    BirthForm form;
    form.City = "typed";
    FillPlace(Place{"Bhīmavaram", "Andhra Pradesh", "India", "Asia/Kolkata", 16.54078, 81.52322, 1},
              form);
    EXPECT_EQ(form.City, "Bhimavaram");
    EXPECT_EQ(form.State, "Andhra Pradesh");
    EXPECT_EQ(form.Country, "India");
    EXPECT_EQ(form.LatDeg + ":" + form.LatMin + " " + form.LonDeg + ":" + form.LonMin,
              "16:32 81:31");
    FillPlace(Place{"Москва", "Moscow", "Russia", "Europe/Moscow", 55.75, 37.62, 1}, form);
    EXPECT_EQ(form.City, "Bhimavaram");  // a name the box cannot hold leaves it alone
    EXPECT_EQ(form.State, "Moscow");
}

}  // namespace
}  // namespace tavrinel::atlas
