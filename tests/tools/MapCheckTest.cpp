// The checker on hand-written map files: each fault is reported on the line
// where the reader meets it.
#include "MapCheck.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>
#include <vector>

namespace {

// A sound map: three two-way streets in an L and a T, four road nodes.
std::vector<std::string> SoundMap()
{
    return {
        "REALNUMDISTRICT 0",
        "REALNUMWAY 3",
        "REALNUMBUS 0",
        "REALNUMRIVER 0",
        "REALNUMLAKE 0",
        "REALNUMPARK 0",
        "REALNUMPLACE 1",
        "REALNUMTEXT 0",
        "/GPSINF",
        "\t0.0",
        "\t\t1.0",
        "\t\t\t63480000",
        "\t\t\t\t-12618000",
        "GPSINF/",
        "/RES",
        "\t1000x1000",
        "RES/",
        "/SCALE",
        "\t179.047",
        "SCALE/",
        "/CENP",
        "\t500,500",
        "CENP/",
        "/DISTRICT",
        "DISTRICT/",
        "/WAY",
        "\tPhố A",
        "\t\t100,100;200,100",
        "\t\t\t0,1",
        "\tPhố B",
        "\t\t200,100;200,200",
        "\t\t\t0,1",
        "\tPhố C",
        "\t\t200,100;300,100",
        "\t\t\t0,1",
        "WAY/",
        "/BUS",
        "BUS/",
        "/RIVER",
        "RIVER/",
        "/LAKE",
        "LAKE/",
        "/PARK",
        "PARK/",
        "/PLACE",
        "\tChợ",
        "\t\t150,150",
        "\t\t\t14",
        "PLACE/",
        "/TEXT",
        "TEXT/",
        "/POSITION",
        "\t1;100,100,2,100",
        "\t1,2,3;200,100,1,100,3,100,4,100",
        "\t2;200,200,2,100",
        "\t3;300,100,2,100",
        "POSITION/",
    };
}

// Line numbers of the sound map's lines, from 1.
int LineOf(const std::vector<std::string>& lines, const std::string& text)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == text)
            return static_cast<int>(i) + 1;
    }
    return -1;
}

QByteArray Text(const std::vector<std::string>& lines)
{
    QByteArray text;
    for (const std::string& line : lines)
        text += QByteArray::fromStdString(line) + "\r\n";
    return text;
}

// The problems as "line: message" for readable failures.
std::vector<std::string> Problems(const QByteArray& text)
{
    std::vector<std::string> out;
    for (const MapProblem& p : CheckMapText(text))
        out.push_back(std::to_string(p.line) + ": " + p.message.toStdString());
    return out;
}

// Exactly one problem, at line, whose message contains words.
void ExpectOneProblem(const std::vector<std::string>& lines, int line, const char* words)
{
    const std::vector<MapProblem> problems = CheckMapText(Text(lines));
    ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(Problems(Text(lines)));
    EXPECT_EQ(problems[0].line, line);
    EXPECT_TRUE(problems[0].message.contains(QString::fromUtf8(words))) << problems[0].message.toStdString();
}

// Among the problems, one at line whose message contains words.
bool HasProblem(const std::vector<std::string>& lines, int line, const char* words)
{
    for (const MapProblem& p : CheckMapText(Text(lines))) {
        if (p.line == line && p.message.contains(QString::fromUtf8(words)))
            return true;
    }
    return false;
}

TEST(MapCheck, SoundMapHasNoProblems)
{
    EXPECT_TRUE(CheckMapText(Text(SoundMap())).empty()) << ::testing::PrintToString(Problems(Text(SoundMap())));
}

TEST(MapCheck, LinesTheReaderIgnores)
{
    std::vector<std::string> lines = SoundMap();
    lines.insert(lines.begin() + LineOf(lines, "WAY/") - 1, "\t\t\t\t\tfive tabs");
    ExpectOneProblem(lines, LineOf(lines, "\t\t\t\t\tfive tabs"), "five or more tabs");

    lines = SoundMap();
    lines.insert(lines.begin() + LineOf(lines, "\t\t\t0,1"), "\t\t\t\tlevel four");
    ExpectOneProblem(lines, LineOf(lines, "\t\t\t\tlevel four"), "WAY records have no level-4 line");

    lines = SoundMap();
    lines.insert(lines.begin() + LineOf(lines, "/BUS") - 1, "between sections");
    ExpectOneProblem(lines, LineOf(lines, "between sections"), "outside any section");

    lines = SoundMap();
    lines.insert(lines.begin() + LineOf(lines, "/LAKE"), "\t\t1,2;3,4");
    ExpectOneProblem(lines, LineOf(lines, "\t\t1,2;3,4"), "before the section's first record");

    lines = SoundMap();
    lines.insert(lines.begin() + LineOf(lines, "REALNUMTEXT 0"), "a note in the header");
    ExpectOneProblem(lines, LineOf(lines, "a note in the header"), "not a header item");

    lines = SoundMap();
    lines.push_back("after the end");
    ExpectOneProblem(lines, static_cast<int>(lines.size()), "after POSITION/");
}

TEST(MapCheck, RecordAndPointLimits)
{
    std::vector<std::string> lines = SoundMap();
    std::string longWay = "\t\t100,100";
    for (int i = 1; i <= 70; ++i)
        longWay += ";100," + std::to_string(100 + i);
    lines[LineOf(lines, "\t\t100,100;200,100") - 1] = longWay;
    EXPECT_TRUE(HasProblem(lines, LineOf(lines, longWay), "71 points; the limit is 70"))
        << ::testing::PrintToString(Problems(Text(lines)));

    lines = SoundMap();
    lines[LineOf(lines, "REALNUMPLACE 1") - 1] = "REALNUMPLACE 0";
    ExpectOneProblem(lines, LineOf(lines, "\tChợ"), "beyond the declared count 0");

    lines = SoundMap();
    lines[LineOf(lines, "\t\t\t14") - 1] = "\t\t\t29";
    ExpectOneProblem(lines, LineOf(lines, "\t\t\t29"), "not one of 1 to 28");

    lines = SoundMap();
    lines[LineOf(lines, "REALNUMWAY 3") - 1] = "REALNUMWAY 123456";
    ExpectOneProblem(lines, 2, "is read as 12345");
}

TEST(MapCheck, NodeTableAndNodeLists)
{
    // x, y, nine links, then two values too many.
    std::vector<std::string> lines = SoundMap();
    const std::string full = "\t2;200,200,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-1,5,5";
    lines[LineOf(lines, "\t2;200,200,2,100") - 1] = full;
    ExpectOneProblem(lines, LineOf(lines, full), "2 values beyond the 21");

    // Three WAY records give the node table 4 × 2 slots: nodes 1 to 6 and
    // the spare slot after them. Nothing links to the four nodes added.
    lines = SoundMap();
    for (int n = 5; n <= 8; ++n)
        lines.insert(lines.end() - 1, "\t3;300,100,4,100");
    const std::vector<MapProblem> problems = CheckMapText(Text(lines));
    ASSERT_EQ(problems.size(), 3u) << ::testing::PrintToString(Problems(Text(lines)));
    EXPECT_EQ(problems[0].line, LineOf(lines, "\t3;300,100,2,100") + 1);
    EXPECT_TRUE(problems[0].message.contains(QStringLiteral("4 road nodes can be left but not reached")));
    EXPECT_TRUE(problems[0].message.contains(QStringLiteral("nodes 5, 6, 7, 8; streets: Phố C")));
    EXPECT_EQ(problems[1].line, LineOf(lines, "\t3;300,100,2,100") + 3);
    EXPECT_TRUE(problems[1].message.contains(QStringLiteral("road node 7 does not fit the node table")));
    EXPECT_TRUE(problems[2].message.contains(QStringLiteral("road node 8 does not fit the node table")));
}

TEST(MapCheck, RoadGraphFaults)
{
    std::vector<std::string> lines = SoundMap();
    lines[LineOf(lines, "\t3;300,100,2,100") - 1] = "\t3;300,150,2,100";
    std::vector<MapProblem> problems = CheckMapText(Text(lines));
    ASSERT_EQ(problems.size(), 2u) << ::testing::PrintToString(Problems(Text(lines)));
    EXPECT_TRUE(problems[0].message.contains(QStringLiteral("1 of the 2 points of WAY record 3 are no road node")));
    EXPECT_TRUE(problems[1].message.contains(QStringLiteral("road node 4 at 300,150 is no point")));

    lines = SoundMap();
    lines[LineOf(lines, "\t1;100,100,2,100") - 1] = "\t1;100,100,2,100,7,100";
    ExpectOneProblem(lines, LineOf(lines, "\t1;100,100,2,100,7,100"), "links to node 7, which does not exist");
}

// Routes run only between nodes of one strongly connected part: nodes that
// a one-way street leads into but not out of, or out of but not into, or
// that nothing joins to the rest, are listed with their streets.
TEST(MapCheck, NodesNoRouteCanReachOrLeave)
{
    std::vector<std::string> lines = SoundMap();
    // Phố B one way from node 2 to node 3: node 3 is a trap.
    lines[LineOf(lines, "\t\t200,100;200,200") + 0] = "\t\t\t1,1";
    lines[LineOf(lines, "\t2;200,200,2,100") - 1] = "\t2;200,200";
    ExpectOneProblem(lines, LineOf(lines, "\t2;200,200"),
                     "1 road node can be reached but not left along one-way streets, so no route starts there: node "
                     "3; streets: Phố B");

    // Node 2 no longer links to node 3: node 3 can be left, not reached.
    lines = SoundMap();
    lines[LineOf(lines, "\t1,2,3;200,100,1,100,3,100,4,100") - 1] = "\t1,2,3;200,100,1,100,4,100";
    ExpectOneProblem(lines, LineOf(lines, "\t2;200,200,2,100"),
                     "1 road node can be left but not reached along one-way streets, so no route ends there: node 3; "
                     "streets: Phố B");

    // Node 4 linked to nothing, and nothing linked to it.
    lines = SoundMap();
    lines[LineOf(lines, "\t1,2,3;200,100,1,100,3,100,4,100") - 1] = "\t1,2,3;200,100,1,100,3,100";
    lines[LineOf(lines, "\t3;300,100,2,100") - 1] = "\t3;300,100";
    ExpectOneProblem(lines, LineOf(lines, "\t3;300,100"),
                     "1 road node can neither reach the main road network nor be reached from it, so no route runs "
                     "there: node 4; streets: Phố C");
}

// A closed or nearly closed WAY record is never listed by the map view,
// which leaves out every way whose ends lie within 20 pixels.
TEST(MapCheck, WayRecordsTheMapViewCannotShow)
{
    std::vector<std::string> lines = SoundMap();
    lines[LineOf(lines, "\t\t200,100;300,100") - 1] = "\t\t200,100;300,100;300,200;200,100";
    // The new points need nodes; the closed record is the only problem.
    lines[LineOf(lines, "\t3;300,100,2,100") - 1] = "\t3;300,100,2,100,5,100";
    lines.insert(lines.end() - 1, "\t3;300,200,4,100,2,141");
    lines[LineOf(lines, "\t1,2,3;200,100,1,100,3,100,4,100") - 1] = "\t1,2,3;200,100,1,100,3,100,4,100,5,141";
    ExpectOneProblem(lines, LineOf(lines, "\tPhố C"), "WAY record 3 (Phố C) begins and ends at the same point");

    // A narrow U: 127 units long, its ends 10.4 apart, is listed only when
    // drawn over 243 pixels long; 125 units long with its ends 11.2 apart it
    // passes.
    const int way = LineOf(lines, "\t\t200,100;300,100;300,200;200,100");
    lines[way - 1] = "\t\t200,100;260,100;260,110;203,110";
    EXPECT_TRUE(HasProblem(lines, LineOf(lines, "\tPhố C"),
                           "12.2 times as long as the distance between its ends: "
                           "the map view shows it only when it is drawn over 243"))
        << ::testing::PrintToString(Problems(Text(lines)));
    lines[way - 1] = "\t\t200,100;260,100;260,110;205,110";
    EXPECT_FALSE(HasProblem(lines, LineOf(lines, "\tPhố C"), "times as long"))
        << ::testing::PrintToString(Problems(Text(lines)));
}

TEST(MapCheck, FileAndLineLimits)
{
    std::vector<std::string> lines = SoundMap();
    const std::string longName = "\t" + std::string(3000, 'x');
    lines[LineOf(lines, "\tPhố C") - 1] = longName;
    ExpectOneProblem(lines, LineOf(lines, longName), "3001 bytes");

    QByteArray text = Text(SoundMap());
    text.chop(2); // the last line without its CR LF
    std::vector<MapProblem> problems = CheckMapText(text);
    ASSERT_FALSE(problems.empty());
    EXPECT_TRUE(problems[0].message.contains(QStringLiteral("ends before POSITION/")));

    text = Text(SoundMap());
    text.insert(text.indexOf("/DISTRICT"), QByteArray(460000, ' ') + "\r\n");
    problems = CheckMapText(text);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0].line, 0);
    EXPECT_TRUE(problems[0].message.contains(QStringLiteral("more than the 450000 the reader reads")));
}

TEST(MapCheck, WayNameBeginningWithADigitIsReportedWhereItStands)
{
    std::vector<std::string> lines = SoundMap();
    lines[LineOf(lines, "\tPhố B") - 1] = "\t3 Tháng 2";
    ExpectOneProblem(lines, LineOf(lines, "\t3 Tháng 2"), "read as no name");
}

} // namespace
