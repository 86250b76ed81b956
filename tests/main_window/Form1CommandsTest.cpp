// The main window's eleven commands without a toolkit: a recording view
// stands for the window's fields and list, a recording platform for message
// boxes, the decimal separator and the end of the program. What each window
// makes of its widgets is tested with that window.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "fakes/FakePlatform.h"
#include "fakes/ProgramTexts.h"
#include "main_window/Form1Commands.h"

namespace zenalto {
namespace {

using testing::FakePlatform;
using Shown = FakePlatform::ShownMessage;
namespace texts = program_texts;

// The fields with the window's start texts; every write is logged in order.
class RecordingView : public Form1View {
public:
    std::map<Field, std::u16string> fields{{Field::Text1, u"159"},
                                           {Field::Text2, u"6378.206"},
                                           {Field::Text3, u"0"},
                                           {Field::Text4, u"0"}};
    std::u16string listText = u"Clarke 1866";
    std::vector<std::string> writes;  // "Text1"... or "list", in order
    std::vector<std::u16string> announced;

    std::u16string text(Field field) override { return fields.at(field); }
    void setText(Field field, std::u16string_view text) override {
        fields.at(field) = text;
        writes.emplace_back(FieldName(field));
    }
    void clearListText() override {
        listText.clear();
        writes.emplace_back("list");
    }
    void announce(std::u16string_view text) override {
        // Announced after the fields it names are written, never before.
        EXPECT_FALSE(writes.empty());
        announced.emplace_back(text);
    }
};

// Counts how often it is shown.
class CountingAbout : public AboutDialog {
public:
    explicit CountingAbout(int& shows) : m_shows(shows) {}
    void Show() override { ++m_shows; }
    void Unload() override {}

private:
    int& m_shows;
};

class Form1CommandsTest : public ::testing::Test {
protected:
    RecordingView view;
    FakePlatform platform;
    int aboutsMade = 0;
    int aboutShows = 0;
    Form1Commands commands{view, platform, [this] {
                               ++aboutsMade;
                               return std::make_unique<CountingAbout>(aboutShows);
                           }};

    // The two inputs typed, earlier results in the output fields, and no
    // field written yet.
    void enter(std::u16string_view altitude, std::u16string_view radius) {
        view.fields[Field::Text1] = altitude;
        view.fields[Field::Text2] = radius;
        view.fields[Field::Text3] = u"earlier";
        view.fields[Field::Text4] = u"results";
        view.writes.clear();
    }

    void calculate(bool fromMenu) {
        if (fromMenu) {
            commands.Calcular_Click();
        } else {
            commands.Command1_Click();
        }
    }
};

// --- Calcular, button and menu ---

struct CalculationRow {
    const char* name;
    std::u16string_view altitude;
    std::u16string_view radius;
    std::u16string_view separator;
    std::u16string_view metresPerSecond;
    std::u16string_view kilometresPerHour;
    friend void PrintTo(const CalculationRow& row, std::ostream* out) { *out << row.name; }
};

class Calculation : public Form1CommandsTest,
                    public ::testing::WithParamInterface<CalculationRow> {};

TEST_P(Calculation, ButtonAndMenuWriteTheSameResults) {
    const CalculationRow& row = GetParam();
    for (const bool fromMenu : {false, true}) {
        SCOPED_TRACE(fromMenu ? "menu" : "button");
        enter(row.altitude, row.radius);
        platform.separator = row.separator;
        view.announced.clear();
        calculate(fromMenu);
        EXPECT_EQ(view.fields[Field::Text3], row.metresPerSecond);
        EXPECT_EQ(view.fields[Field::Text4], row.kilometresPerHour);
        EXPECT_EQ(view.writes, (std::vector<std::string>{"Text3", "Text4"}));
        // Both results with their names and units, in one announcement.
        EXPECT_EQ(view.announced,
                  (std::vector<std::u16string>{
                      u"Velocidad Orbital (m/s) " + std::u16string(row.metresPerSecond) +
                      u". Velocidad Orbital (Km/h) " + std::u16string(row.kilometresPerHour)}));
        EXPECT_EQ(view.fields[Field::Text1], row.altitude);
        EXPECT_EQ(view.fields[Field::Text2], row.radius);
    }
    EXPECT_TRUE(platform.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Calculation,
    ::testing::Values(
        CalculationRow{"start_values", u"159", u"6378.206", u".", u"7812.50598", u"28125.02151"},
        CalculationRow{"geostationary", u"35786", u"6378.137", u".", u"3076.20193", u"11074.32694"},
        CalculationRow{"comma_ends_the_radius", u"159", u"6378,206", u".", u"7812.62907",
                       u"28125.46466"},
        CalculationRow{"users_decimal_comma", u"159", u"6378.206", u",", u"7812,50598",
                       u"28125,02151"}),
    [](const auto& row) { return std::string(row.param.name); });

// One input for each fault the calculation finds, and the message that the
// button and the menu command each show for it.
struct RefusalRow {
    const char* name;
    std::u16string_view altitude;
    std::u16string_view radius;
    texts::InputPrompt prompt;
    friend void PrintTo(const RefusalRow& row, std::ostream* out) { *out << row.name; }
};

class Refusal : public Form1CommandsTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(Refusal, OneMessageForTheCallerAndTheResultsStay) {
    const RefusalRow& row = GetParam();
    for (const bool fromMenu : {false, true}) {
        SCOPED_TRACE(fromMenu ? "menu" : "button");
        enter(row.altitude, row.radius);
        platform.messages.clear();
        calculate(fromMenu);
        EXPECT_EQ(
            platform.messages,
            (std::vector<Shown>{{std::u16string(fromMenu ? row.prompt.menu : row.prompt.button),
                                 MessageStyle::Critical, std::u16string(texts::InputErrorTitle)}}));
        EXPECT_TRUE(view.writes.empty());
        EXPECT_TRUE(view.announced.empty());  // the message box speaks for itself
        EXPECT_EQ(view.fields[Field::Text3], u"earlier");
        EXPECT_EQ(view.fields[Field::Text4], u"results");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Refusal,
    ::testing::Values(
        RefusalRow{"zero_altitude", u"0", u"6378.137", texts::NoAltitudePrompt},
        RefusalRow{"no_number", u"abc", u"6378.137", texts::NoAltitudePrompt},
        RefusalRow{"both_empty_altitude_first", u"", u"", texts::NoAltitudePrompt},
        RefusalRow{"radius_letters", u"159", u"abc", texts::NoRadiusPrompt},
        RefusalRow{"radius_zero", u"159", u"0", texts::NoRadiusPrompt},
        RefusalRow{"below_the_centre", u"-6378.206", u"6378.206", texts::NoOrbitPrompt},
        RefusalRow{"overflowing_altitude", u"1E400", u"6378.206", texts::AltitudeTooLargePrompt},
        RefusalRow{"overflowing_radius", u"159", u"1E400", texts::RadiusTooLargePrompt}),
    [](const auto& row) { return std::string(row.param.name); });

// Calcular reads the radius field, whatever the list shows.
TEST_F(Form1CommandsTest, CalcularReadsATypedRadiusAfterAChoice) {
    commands.Combo1_Click(7);
    view.fields[Field::Text2] = u"6000";
    commands.Command1_Click();
    EXPECT_EQ(view.fields[Field::Text3], u"8048.80389");
}

// --- Borrar, Salir, Ayuda ---

TEST_F(Form1CommandsTest, BorrarEmptiesTheFieldsThenTheListInItsOrder) {
    for (const auto borrar : {&Form1Commands::Command2_Click, &Form1Commands::Borrar_Click}) {
        view.fields = {
            {Field::Text1, u"1"}, {Field::Text2, u"2"}, {Field::Text3, u"3"}, {Field::Text4, u"4"}};
        view.listText = u"WGS84";
        for (int time = 1; time <= 2; ++time) {  // twice: empty stays empty
            SCOPED_TRACE(time);
            view.writes.clear();
            (commands.*borrar)();
            EXPECT_EQ(view.writes,
                      (std::vector<std::string>{"Text1", "list", "Text2", "Text3", "Text4"}));
            for (const auto& [field, text] : view.fields) {
                EXPECT_EQ(text, u"") << FieldName(field);
            }
            EXPECT_EQ(view.listText, u"");
        }
    }
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.endProgramCalls, 0);

    commands.Command1_Click();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages.front().prompt, texts::NoAltitudePrompt.button);
}

TEST_F(Form1CommandsTest, SalirEndsTheProgramFromButtonAndMenu) {
    commands.Command3_Click();
    EXPECT_EQ(platform.endProgramCalls, 1);
    commands.Salir_Click();
    EXPECT_EQ(platform.endProgramCalls, 2);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(view.writes.empty());
}

TEST_F(Form1CommandsTest, AyudaShowsTheHelpMessage) {
    commands.Ayuda_Click();
    EXPECT_EQ(platform.messages,
              (std::vector<Shown>{{std::u16string(texts::HelpPrompt), MessageStyle::OkOnly,
                                   std::u16string(texts::HelpTitle)}}));
    EXPECT_TRUE(view.writes.empty());
}

// --- the list and the scroll bar ---

struct ChoiceRow {
    int listIndex;
    std::u16string_view radius;  // Text2 afterwards
};

TEST_F(Form1CommandsTest, EllipsoidChoiceWritesItsRadiusIntoText2) {
    const ChoiceRow rows[] = {
        {3, u"6378.160"},  {0, u"6378.137"},
        {7, u"6377.397"},  {-1, u"6377.397"},  // nothing chosen: Text2 stays
        {10, u"6377.397"},                     // beyond the list: Text2 stays
    };
    for (const ChoiceRow& row : rows) {
        SCOPED_TRACE(row.listIndex);
        commands.Combo1_Click(row.listIndex);
        EXPECT_EQ(view.fields[Field::Text2], row.radius);
    }
    EXPECT_EQ(view.writes, (std::vector<std::string>{"Text2", "Text2", "Text2"}));
    EXPECT_EQ(view.announced, (std::vector<std::u16string>{u"Radio Terrestre (Km) 6378.160",
                                                           u"Radio Terrestre (Km) 6378.137",
                                                           u"Radio Terrestre (Km) 6377.397"}));
    EXPECT_EQ(view.listText, u"Clarke 1866");
}

TEST_F(Form1CommandsTest, ScrollPositionReplacesTheAltitude) {
    const std::pair<int, std::u16string_view> rows[] = {
        {160, u"160"}, {900, u"900"}, {159, u"159"}};
    for (const auto& [position, text] : rows) {
        view.fields[Field::Text1] = u"500";
        commands.HScroll1_Change(position);
        EXPECT_EQ(view.fields[Field::Text1], text);
    }
    EXPECT_EQ(view.writes, (std::vector<std::string>{"Text1", "Text1", "Text1"}));
}

// --- Acerca de... ---

TEST_F(Form1CommandsTest, OneAboutDialogMadeOnceAndShownEachTime) {
    EXPECT_EQ(commands.aboutDialog(), nullptr);
    EXPECT_EQ(aboutsMade, 0);
    commands.Command4_Click();
    AboutDialog* first = commands.aboutDialog();
    ASSERT_NE(first, nullptr);
    commands.Acerca_Click();
    commands.Command4_Click();
    EXPECT_EQ(commands.aboutDialog(), first);
    EXPECT_EQ(aboutsMade, 1);
    EXPECT_EQ(aboutShows, 3);
    EXPECT_TRUE(view.writes.empty());
}

// --- Events forwarded by the table's names ---

// A window's whole record: what its fields hold, every write, message, end and
// showing of the About dialog. The altitude is empty, so that Calcular shows
// the message whose capital tells the button from the menu.
struct Recorded {
    RecordingView view;
    FakePlatform platform;
    int aboutShows = 0;
    Form1Commands commands{view, platform,
                           [this] { return std::make_unique<CountingAbout>(aboutShows); }};
    Recorded() { view.fields[Field::Text1] = u""; }
    bool operator==(const Recorded& other) const {
        return view.fields == other.view.fields && view.listText == other.view.listText &&
               view.writes == other.view.writes && view.announced == other.view.announced &&
               platform.messages == other.platform.messages &&
               platform.endProgramCalls == other.platform.endProgramCalls &&
               aboutShows == other.aboutShows;
    }
};

TEST(Form1CommandsByName, EachNameRunsItsOwnHandlerAndNoOther) {
    const std::pair<const char*, void (Form1Commands::*)()> handlers[] = {
        {"Command1", &Form1Commands::Command1_Click}, {"Command2", &Form1Commands::Command2_Click},
        {"Command3", &Form1Commands::Command3_Click}, {"Command4", &Form1Commands::Command4_Click},
        {"Calcular", &Form1Commands::Calcular_Click}, {"Borrar", &Form1Commands::Borrar_Click},
        {"Salir", &Form1Commands::Salir_Click},       {"Ayuda", &Form1Commands::Ayuda_Click},
        {"Acerca", &Form1Commands::Acerca_Click}};
    for (const auto& [name, handler] : handlers) {
        SCOPED_TRACE(name);
        Recorded byName;
        Recorded byHandler;
        byName.commands.Click(name);
        (byHandler.commands.*handler)();
        EXPECT_TRUE(byName == byHandler);
        EXPECT_FALSE(byName == Recorded{});  // every handler leaves a trace
    }
    Recorded untouched;
    for (const char* name : {"Text1", "Label1", "Archivo", "Combo1", "HScroll1", ""}) {
        untouched.commands.Click(name);
    }
    untouched.commands.ListClick("Text2", 3);
    untouched.commands.ScrollChange("Combo1", 500);
    EXPECT_TRUE(untouched == Recorded{});

    Recorded listAndScroll;
    listAndScroll.commands.ListClick("Combo1", 3);
    listAndScroll.commands.ScrollChange("HScroll1", 500);
    EXPECT_EQ(listAndScroll.view.fields[Field::Text2], u"6378.160");
    EXPECT_EQ(listAndScroll.view.fields[Field::Text1], u"500");
}

}  // namespace
}  // namespace zenalto
