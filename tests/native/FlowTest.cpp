// The wizard's flow over scripted step results: which steps run, which saves
// are made, and whether the card counts as finished.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>

#include "resources/resource.h"
#include "wizard/Flow.h"

namespace {

// Plays each step from a script of results and records the road taken.
class ScriptedSteps : public FlowSteps {
public:
    explicit ScriptedSteps(std::map<std::string, std::deque<int>> script)
        : m_script(std::move(script))
    {
    }

    std::string road;

    int Intro() override { return Take("intro"); }
    int CardForm() override { return Take("card"); }
    int RequiredInfo() override { return Take("required"); }
    void MarketResearch() override { Take("research"); }
    void Hardware() override { Take("hardware"); }
    int Delivery() override { return Take("delivery"); }
    int ModemOptions() override { return Take("modem"); }
    int WriteRecordFile() override { return Take("file"); }
    int Transmit() override { return Take("transmit"); }
    int TransmissionSuccess() override { return Take("success"); }
    int TransmissionProblem(int error) override
    {
        return Take("problem" + std::to_string(error));
    }
    int Print() override { return Take("print"); }
    int PrintReminder() override { return Take("reminder"); }
    int Email() override { return Take("email"); }
    void SaveCard() override { Take("saveCard"); }
    void SaveQuestionnaire() override { Take("saveResearch"); }

private:
    int Take(const std::string &step)
    {
        road += road.empty() ? step : " " + step;
        std::deque<int> &results = m_script[step];
        if (results.empty())
            return 0;
        const int r = results.front();
        results.pop_front();
        return r;
    }
    std::map<std::string, std::deque<int>> m_script;
};

struct FlowCase {
    const char *name;
    std::map<std::string, std::deque<int>> script;
    const char *road;
    bool finished;
};

const char kToDelivery[] = "intro card saveCard research saveResearch hardware delivery";

const FlowCase kFlows[] = {
    {"Register Later on the intro", {{"intro", {IDC_REGISTER_LATER}}}, "intro", false},
    {"Never Register confirmed", {{"intro", {IDC_NEVER_REGISTER}}}, "intro", true},
    {"Register Later on the card form",
     {{"intro", {IDC_REGISTER_NOW}}, {"card", {IDC_REGISTER_LATER}}},
     "intro card saveCard", false},
    {"required field empty, then Register Later",
     {{"intro", {IDC_REGISTER_NOW}}, {"card", {1}}, {"required", {IDC_REGISTER_LATER}}},
     "intro card saveCard required saveCard", false},
    {"required field empty, then filled, Register Later on delivery",
     {{"intro", {IDC_REGISTER_NOW}}, {"card", {1}}, {"required", {IDC_REGISTER_NOW}},
      {"delivery", {IDC_REGISTER_LATER}}},
     "intro card saveCard required saveCard research saveResearch hardware delivery", false},
    {"every dialog fails to open",
     {{"intro", {-1}}, {"card", {-1}}, {"required", {-1}}, {"delivery", {-1}}},
     "intro card saveCard required saveCard research saveResearch hardware delivery", false},
    {"Send succeeds",
     {{"intro", {IDC_REGISTER_NOW}}, {"card", {0}}, {"delivery", {IDC_SEND}},
      {"modem", {IDC_CONTINUE}}, {"file", {0}}, {"transmit", {0}}, {"success", {IDC_CONTINUE}}},
     "+ modem file transmit success", true},
    {"Send: modem options closed",
     {{"card", {0}}, {"delivery", {IDC_SEND}}, {"modem", {IDC_REGISTER_LATER}}}, "+ modem",
     false},
    {"Send fails, Retry, modem options closed",
     {{"card", {0}}, {"delivery", {IDC_SEND}}, {"modem", {IDC_CONTINUE, IDC_REGISTER_LATER}},
      {"transmit", {104, 0}}, {"problem104", {IDC_SEND}}},
     "+ modem file transmit problem104 modem", false},
    {"Send: record file not written, then Print",
     {{"card", {0}}, {"delivery", {IDC_SEND}}, {"modem", {IDC_CONTINUE}}, {"file", {1}},
      {"problem101", {IDC_PRINT}}, {"print", {0}}, {"reminder", {IDC_CONTINUE}}},
     "+ modem file problem101 print reminder", true},
    {"Send: record file not written, then Register Later",
     {{"card", {0}}, {"delivery", {IDC_SEND}}, {"modem", {IDC_CONTINUE}}, {"file", {2}},
      {"problem101", {IDC_REGISTER_LATER}}},
     "+ modem file problem101", false},
    {"Send fails, Register Later",
     {{"card", {0}}, {"delivery", {IDC_SEND}}, {"transmit", {104}},
      {"problem104", {IDC_REGISTER_LATER}}},
     "+ modem file transmit problem104", false},
    {"Send fails, Retry succeeds",
     {{"card", {0}}, {"delivery", {IDC_SEND}}, {"transmit", {105, 0}},
      {"problem105", {IDC_SEND}}, {"success", {IDC_REGISTER_LATER}}},
     "+ modem file transmit problem105 modem file transmit success", true},
    {"Send fails, Print succeeds with the reminder",
     {{"card", {0}}, {"delivery", {IDC_SEND}}, {"transmit", {101}},
      {"problem101", {IDC_PRINT}}, {"print", {0}}, {"reminder", {IDC_CONTINUE}}},
     "+ modem file transmit problem101 print reminder", true},
    {"print, then Print again from the reminder: no second reminder",
     {{"card", {0}}, {"delivery", {IDC_PRINT}}, {"print", {0, 0}}, {"reminder", {IDC_PRINT}}},
     "+ print reminder print", true},
    {"print fails", {{"card", {0}}, {"delivery", {IDC_PRINT}}, {"print", {1, 0}}}, "+ print",
     false},
    {"print fails with a result that reads as Print: no second print",
     {{"card", {0}}, {"delivery", {IDC_PRINT}}, {"print", {IDC_PRINT, 0}}}, "+ print", false},
    {"print fails with a result that reads as E-Mail: no mail",
     {{"card", {0}}, {"delivery", {IDC_PRINT}}, {"print", {IDC_EMAIL}}, {"email", {1}}},
     "+ print", false},
    {"print succeeds, then the reprint fails",
     {{"card", {0}}, {"delivery", {IDC_PRINT}}, {"print", {0, 1}}, {"reminder", {IDC_PRINT}}},
     "+ print reminder print", true},
    {"print succeeds, then the reprint fails with a result that reads as Print",
     {{"card", {0}}, {"delivery", {IDC_PRINT}}, {"print", {0, IDC_PRINT, 0}},
      {"reminder", {IDC_PRINT}}},
     "+ print reminder print", true},
    {"e-mail sent", {{"card", {0}}, {"delivery", {IDC_EMAIL}}, {"email", {1}}}, "+ email", true},
    {"e-mail cancelled", {{"card", {0}}, {"delivery", {IDC_EMAIL}}, {"email", {2}}}, "+ email",
     false},
    {"e-mail dialog fails", {{"card", {0}}, {"delivery", {IDC_EMAIL}}, {"email", {-1}}},
     "+ email", false},
};

TEST(Flow, Table)
{
    for (const FlowCase &c : kFlows) {
        ScriptedSteps steps(c.script);
        const bool finished = RunFlow(steps);
        std::string road = c.road;
        if (road.rfind("+", 0) == 0)
            road = kToDelivery + road.substr(1);
        EXPECT_EQ(road, steps.road) << c.name;
        EXPECT_EQ(c.finished, finished) << c.name;
    }
}

}  // namespace
