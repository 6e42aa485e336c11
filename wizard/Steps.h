// The wizard's steps as they run for real: dialogs and deliveries on the record.
#pragma once
#include "../common/Record.h"
#include "Flow.h"

class WizardSteps : public FlowSteps {
public:
    WizardSteps(HWND owner, RegistrationRecord *rec) : m_owner(owner), m_rec(rec) {}

    int Intro() override;
    int CardForm() override;
    int RequiredInfo() override;
    void MarketResearch() override;
    void Hardware() override;
    int Delivery() override;
    int ModemOptions() override;
    int WriteRecordFile() override;
    int Transmit() override;
    int TransmissionSuccess() override;
    int TransmissionProblem(int error) override;
    int Print() override;
    int PrintReminder() override;
    int Email() override;
    void SaveCard() override;
    void SaveQuestionnaire() override;

private:
    HWND m_owner;
    RegistrationRecord *m_rec;
};
