// Profiles and their actions through the profile file: written by the export, read back by the
// import, and refused whole when the file is not one this build can take.
#include "module/actions/BuiltInActions.h"
#include "module/exchange/CProfileExport.h"
#include "module/exchange/CProfileImport.h"
#include "module/exchange/ExchangeFormat.h"
#include "module/profiles/ProfileStore.h"
#include "tests/platform/StoreUnderTest.h"

#include <gtest/gtest.h>

namespace {

using Refusal = CProfileImport::Refusal;

const std::wstring kLaunchPath = L"C:\\Program Files\\Звуковой инструмент\\ツール 1.exe";
const std::wstring kTwoLines = L"first line\r\nsecond line";

MacroStep Step(std::uint16_t vk, std::uint16_t scan, std::uint32_t flags, std::uint32_t delay) {
    MacroStep step;
    step.type = MacroStep::kKeyboardInput;
    step.wVk = vk;
    step.wScan = scan;
    step.dwFlags = flags;
    step.time = delay;
    return step;
}

struct Model {
    CProfileList profiles;
    CCustomActionList actions;

    Model() { AddMissingBuiltInActions(actions); }

    CCustomAction& Add(const std::wstring& id, const std::wstring& name, std::uint32_t kind) {
        CCustomAction action(id);
        action.m_name = name;
        action.m_descriptionId = id + L"_TIP";
        action.SetKind(kind);
        return actions.AppendAction(action);
    }

    // Everything Save would store, for comparing before and after.
    testing_support::StoreSnapshot Stored() const {
        auto store = testing_support::MakeStore(testing_support::StoreKind::Memory);
        auto root = store->Root();
        actions.SaveAll(root.get());
        SaveProfiles(root.get(), profiles, L"");
        return store->Snapshot();
    }

    std::vector<const CProfileVireo*> All() const {
        std::vector<const CProfileVireo*> all;
        for (const CProfileVireo& profile : profiles)
            all.push_back(&profile);
        return all;
    }
};

// A profile whose buttons use a two-step macro with pauses, a two-line text, a launch path
// with spaces and non-Latin letters, a built-in function and nothing (switched off).
Model MakeSource() {
    Model model;
    CCustomAction& macro = model.Add(L"ID_ACTION_10", L"Reload", CCustomAction::kKeypressMacro);
    macro.m_description = L"R twice";
    macro.m_macro.m_steps = {Step(0x52, 0x13, 0, 35), Step(0x52, 0x13, MacroStep::kKeyUp, 0),
                             Step(0x25, 0x4B, MacroStep::kExtendedKey, 1200)};
    // Leftovers of another kind are not shared.
    macro.m_copyString.m_string = L"private";
    model.Add(L"ID_ACTION_11", L"Greeting", CCustomAction::kTextMacro).m_copyString.m_string =
        kTwoLines;
    model.Add(L"ID_ACTION_12", L"Tool", CCustomAction::kLaunchApplication).m_launchApp.m_filePath =
        kLaunchPath;
    model.Add(L"ID_ACTION_13", L"Unused", CCustomAction::kLaunchApplication)
        .m_launchApp.m_filePath = L"C:\\unused.exe";

    CProfileVireo profile = CProfileVireo::MakeStandard(L"ID_PROFILE_1", L"Jeu d’été – ゲーム 🎮");
    profile.m_buttonAction = {L"ID_ACTION_10", L"ACTION_ITEM_MIDDLE_BUTTON", L"ID_ACTION_11",
                              L"ID_ACTION_12", L""};
    profile.m_buttonEnable = {1, 1, 0, 1, 0};
    profile.m_cpi1 = 2;
    profile.m_cpi2 = 1600;
    profile.m_reportRate = 3;
    profile.m_ledIntensity1 = 4;
    profile.m_ledIntensity2 = 0;
    profile.m_programs = {L"game.exe", L"Ärger Spiel.exe"};
    model.profiles.Append(profile);
    return model;
}

std::string Export(const Model& model) {
    return CProfileExport(model.actions).Write(model.All());
}

TEST(ProfileFile, RoundTripKeepsEveryField) {
    const Model source = MakeSource();
    const std::string file = Export(source);
    // UTF-8 as it is, readable: no escapes for the letters.
    EXPECT_NE(file.find(u8"Звуковой инструмент"), std::string::npos);
    EXPECT_NE(file.find(u8"ゲーム 🎮"), std::string::npos) << "a pair of UTF-16 units is one letter";
    EXPECT_NE(file.find("\"format\": \"vireo-profiles\""), std::string::npos);
    EXPECT_EQ(file.find("private"), std::string::npos);
    EXPECT_EQ(file.find("unused.exe"), std::string::npos);

    CProfileImport import;
    ASSERT_TRUE(import.Read(file));
    Model target;
    const auto ids = import.AddTo(target.profiles, target.actions, 500);
    ASSERT_EQ(ids.size(), 1u);
    const CProfileVireo& from = *source.profiles.begin();
    const CProfileVireo* to = target.profiles.FindProfile(ids[0]);
    ASSERT_NE(to, nullptr);
    EXPECT_EQ(to->m_name, from.m_name);
    EXPECT_EQ(to->m_buttonEnable, from.m_buttonEnable);
    EXPECT_EQ(to->m_cpi1, from.m_cpi1);
    EXPECT_EQ(to->m_cpi2, from.m_cpi2);
    EXPECT_EQ(to->m_reportRate, from.m_reportRate);
    EXPECT_EQ(to->m_ledIntensity1, from.m_ledIntensity1);
    EXPECT_EQ(to->m_ledIntensity2, from.m_ledIntensity2);
    EXPECT_EQ(to->m_programs, from.m_programs);
    EXPECT_EQ(to->m_buttonAction[1], L"ACTION_ITEM_MIDDLE_BUTTON");
    EXPECT_EQ(to->m_buttonAction[4], L"");

    const CCustomAction* macro = target.actions.Find(to->m_buttonAction[0]);
    const CCustomAction* text = target.actions.Find(to->m_buttonAction[2]);
    const CCustomAction* launch = target.actions.Find(to->m_buttonAction[3]);
    ASSERT_TRUE(macro && text && launch);
    EXPECT_EQ(macro->Kind(), CCustomAction::kKeypressMacro);
    EXPECT_EQ(macro->m_name, L"Reload");
    EXPECT_EQ(macro->m_description, L"R twice");
    EXPECT_EQ(macro->m_macro.m_steps,
              const_cast<Model&>(source).actions.Find(L"ID_ACTION_10")->m_macro.m_steps);
    EXPECT_EQ(text->Kind(), CCustomAction::kTextMacro);
    EXPECT_EQ(text->m_copyString.m_string, kTwoLines);
    EXPECT_EQ(launch->Kind(), CCustomAction::kLaunchApplication);
    EXPECT_EQ(launch->m_launchApp.m_filePath, kLaunchPath);
    EXPECT_EQ(target.actions.Count(), kBuiltInActions.size() + 3);
}

TEST(ProfileFile, ExportWritesEachUsedActionOnce) {
    Model source = MakeSource();
    CProfileVireo second = *source.profiles.begin();
    second.m_id = L"ID_PROFILE_2";
    second.m_name = L"Second";
    // An action the list lacks is written as doing nothing, as the button does now.
    second.m_buttonAction[4] = L"ID_ACTION_GONE";
    source.profiles.Append(second);

    CProfileImport import;
    ASSERT_TRUE(import.Read(Export(source)));
    Model target;
    const auto ids = import.AddTo(target.profiles, target.actions, 500);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(target.actions.Count(), kBuiltInActions.size() + 3);
    const CProfileVireo* first = target.profiles.FindProfile(ids[0]);
    const CProfileVireo* copy = target.profiles.FindProfile(ids[1]);
    EXPECT_EQ(copy->m_buttonAction[0], first->m_buttonAction[0]);
    EXPECT_EQ(copy->m_buttonAction[4], L"");

    // Only the selected profile: its actions, not the other's.
    const std::string one = CProfileExport(source.actions).Write({&second});
    EXPECT_NE(one.find("Second"), std::string::npos);
    EXPECT_EQ(one.find(u8"ゲーム"), std::string::npos);
}

TEST(ProfileFile, ImportingTwiceAddsProfilesAndReusesActions) {
    const std::string file = Export(MakeSource());
    Model target = MakeSource();
    // An action with the same content under another name is reused as well.
    target.actions.Find(L"ID_ACTION_11")->m_name = L"Hello";
    const std::size_t actionsBefore = target.actions.Count();

    std::vector<std::wstring> ids;
    for (int round = 0; round < 2; ++round) {
        CProfileImport import;
        ASSERT_TRUE(import.Read(file));
        for (const std::wstring& id : import.AddTo(target.profiles, target.actions, 1))
            ids.push_back(id);
    }
    EXPECT_EQ(target.actions.Count(), actionsBefore);
    ASSERT_EQ(target.profiles.Count(), 3u);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(ids[0], L"ID_PROFILE_1");
    EXPECT_EQ(target.profiles.FindProfile(ids[0])->m_name, L"Jeu d’été – ゲーム 🎮 (2)");
    EXPECT_EQ(target.profiles.FindProfile(ids[1])->m_name, L"Jeu d’été – ゲーム 🎮 (3)");
    EXPECT_EQ(target.profiles.FindProfile(ids[1])->m_buttonAction,
              target.profiles.FindProfile(L"ID_PROFILE_1")->m_buttonAction);
}

TEST(ProfileFile, NewActionsTakeNewIdsAndFreeNames) {
    const std::string file = Export(MakeSource());
    Model target;
    // Same names and IDs, other contents: nothing to reuse.
    target.Add(L"ID_ACTION_10", L"Reload", CCustomAction::kKeypressMacro);
    target.Add(L"ID_ACTION_11", L"Greeting", CCustomAction::kTextMacro);
    CProfileImport import;
    ASSERT_TRUE(import.Read(file));
    const auto ids = import.AddTo(target.profiles, target.actions, 10);
    const CProfileVireo* profile = target.profiles.FindProfile(ids.at(0));
    const CCustomAction* macro = target.actions.Find(profile->m_buttonAction[0]);
    const CCustomAction* text = target.actions.Find(profile->m_buttonAction[2]);
    EXPECT_NE(macro->m_nameId, L"ID_ACTION_10");
    EXPECT_EQ(macro->m_name, L"Reload (2)");
    EXPECT_EQ(macro->m_descriptionId, macro->m_nameId + L"_TIP");
    EXPECT_EQ(text->m_name, L"Greeting (2)");
    EXPECT_EQ(macro->m_macro.m_steps.size(), 3u);
}

TEST(ProfileFile, LaunchPathsAreListedBeforeAnythingIsAdded) {
    Model source = MakeSource();
    source.profiles.begin()->m_buttonAction[4] = L"ID_ACTION_12";
    CProfileImport import;
    ASSERT_TRUE(import.Read(Export(source)));
    // Once each, and never the path of an action no button uses.
    EXPECT_EQ(import.LaunchPaths(), std::vector<std::wstring>{kLaunchPath});
}

std::string Document(const std::string& profiles, const std::string& actions = "[]",
                     const std::string& head = R"("format": "vireo-profiles", "version": 1)") {
    return "{" + head + R"(, "profiles": )" + profiles + R"(, "actions": )" + actions + "}";
}

std::string Profile(const std::string& button0 = R"({"action": "", "enabled": true})",
                    const std::string& extra = "") {
    const std::string off = R"({"action": "", "enabled": false})";
    return R"([{"name": "P", "cpi1": 1, "cpi2": 2, "reportRate": 3, "ledIntensity1": 0,
              "ledIntensity2": 0, "buttons": [)" +
           button0 + "," + off + "," + off + "," + off + "," + off + "]" + extra + "}]";
}

const std::string kUsesA = R"({"action": "A", "enabled": true})";

std::string Macro(const std::string& step) {
    return R"([{"id": "A", "name": "M", "type": "keypress", "steps": [)" + step + "]}]";
}

struct RefusalCase {
    const char* what;
    std::string document;
    Refusal why;
    std::wstring detail;
};

TEST(ProfileFile, RefusedFilesChangeNothing) {
    const std::string longName(259, 'n');
    const RefusalCase cases[] = {
        {"not JSON", "profiles: none", Refusal::Damaged, L""},
        {"cut short", Document(Profile()).substr(0, 60), Refusal::Damaged, L""},
        {"not an object", "[1, 2]", Refusal::NotProfileFile, L""},
        {"another format", Document("[]", "[]", R"("format": "other", "version": 1)"),
         Refusal::NotProfileFile, L""},
        {"no format", Document("[]", "[]", R"("version": 1)"), Refusal::NotProfileFile, L""},
        {"newer version", Document("[]", "[]", R"("format": "vireo-profiles", "version": 2)"),
         Refusal::OtherVersion, L"2"},
        {"unknown key at the top",
         Document("[]", "[]", R"("format": "vireo-profiles", "version": 1, "extra": 0)"),
         Refusal::UnknownKey, L"extra"},
        {"unknown key of a profile",
         Document(Profile(kUsesA, R"(, "colour": 1)"),
                  Macro(R"({"vk": 1, "scan": 0, "flags": 0, "delay": 0})")),
         Refusal::UnknownKey, L"profiles[0].colour"},
        {"unknown key of a step",
         Document(Profile(kUsesA),
                  Macro(R"({"vk": 1, "scan": 0, "flags": 0, "delay": 0, "x": 1})")),
         Refusal::UnknownKey, L"actions[0].steps[0].x"},
        {"negative delay",
         Document(Profile(kUsesA), Macro(R"({"vk": 1, "scan": 0, "flags": 0, "delay": -1})")),
         Refusal::Damaged, L"actions[0].steps[0]"},
        {"delay of a fraction",
         Document(Profile(kUsesA), Macro(R"({"vk": 1, "scan": 0, "flags": 0, "delay": 1.5})")),
         Refusal::Damaged, L"actions[0].steps[0]"},
        {"key code too large",
         Document(Profile(kUsesA), Macro(R"({"vk": 65536, "scan": 0, "flags": 0, "delay": 0})")),
         Refusal::Damaged, L"actions[0].steps[0]"},
        {"action the file lacks", Document(Profile(kUsesA)), Refusal::Damaged,
         L"profiles[0].buttons[0].action"},
        {"two actions with one id",
         Document(Profile(kUsesA), R"([{"id": "A", "name": "T", "type": "text", "text": ""},
                                       {"id": "A", "name": "U", "type": "text", "text": ""}])"),
         Refusal::Damaged, L"actions[1].id"},
        {"steps in a text action",
         Document(Profile(kUsesA),
                  R"([{"id": "A", "name": "T", "type": "text", "text": "", "steps": []}])"),
         Refusal::Damaged, L"actions[0].steps"},
        {"profile name too long", Document(R"([{"name": ")" + longName + R"("}])"),
         Refusal::Damaged, L"profiles[0].name"},
        {"four buttons", Document(R"([{"name": "P", "cpi1": 1, "cpi2": 2, "reportRate": 3,
              "ledIntensity1": 0, "ledIntensity2": 0, "buttons": [{"action": "", "enabled": true},
              {"action": "", "enabled": true}, {"action": "", "enabled": true},
              {"action": "", "enabled": true}]}])"),
         Refusal::Damaged, L"profiles[0].buttons"},
        {"too large", std::string(exchange::kMaxFileBytes + 1, ' '), Refusal::TooLarge, L""},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.what);
        Model target = MakeSource();
        const auto before = target.Stored();
        CProfileImport import;
        EXPECT_FALSE(import.Read(c.document));
        EXPECT_EQ(import.Why(), c.why);
        EXPECT_EQ(import.Detail(), c.detail);
        EXPECT_TRUE(import.LaunchPaths().empty());
        EXPECT_TRUE(import.AddTo(target.profiles, target.actions, 1).empty());
        EXPECT_EQ(target.Stored(), before);
    }
}

TEST(ProfileFile, AcceptedEdgesOfTheFormat) {
    // A profile carrying programs, at the size limit in whitespace.
    std::string document =
        Document(Profile(kUsesA, R"(, "programs": ["game.exe"])"),
                 Macro(R"({"vk": 65535, "scan": 0, "flags": 0, "delay": 2147483647})"));
    document.append(exchange::kMaxFileBytes - document.size(), '\n');
    CProfileImport import;
    ASSERT_TRUE(import.Read(document));
    Model target;
    const auto ids = import.AddTo(target.profiles, target.actions, 1);
    const CProfileVireo* profile = target.profiles.FindProfile(ids.at(0));
    EXPECT_EQ(target.actions.Find(profile->m_buttonAction[0])->m_macro.m_steps.at(0).time,
              2147483647u);
}

TEST(ProfileFile, TakenNamesAreMadeUniqueWithinTheLengthLimit) {
    const std::wstring longName(258, L'x');
    Model source;
    source.profiles.Append(CProfileVireo::MakeStandard(L"ID_PROFILE_1", longName));
    Model target = source;
    CProfileImport import;
    ASSERT_TRUE(import.Read(Export(source)));
    const auto ids = import.AddTo(target.profiles, target.actions, 1);
    EXPECT_EQ(target.profiles.FindProfile(ids.at(0))->m_name, std::wstring(254, L'x') + L" (2)");
}

} // namespace
