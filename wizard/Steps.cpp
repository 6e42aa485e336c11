// Binding the wizard's flow to its dialogs, renderers and deliveries.
#include "Steps.h"

#include "../mail/EmailProgressDlg.h"
#include "../output/Modem.h"
#include "../output/Print.h"
#include "../output/RecordFile.h"
#include "../output/TransmitResult.h"
#include "../pages/CardForm.h"
#include "../pages/Hardware.h"
#include "../pages/MarketResearch.h"
#include "../pages/Probe.h"
#include "FlowDialogs.h"
#include "Settings.h"

int WizardSteps::Intro() { return RunIntro(m_owner, m_rec); }
int WizardSteps::CardForm() { return RunCardForm(m_owner, m_rec); }
int WizardSteps::RequiredInfo() { return RunRequiredInfo(m_owner, m_rec); }
void WizardSteps::MarketResearch() { RunMarketResearch(m_owner, m_rec); }
// Every road to a delivery passes the hardware page, and nothing before it reads
// the hardware fields: the probe runs here, once per call.
void WizardSteps::Hardware()
{
    ProbeHardware(m_rec);
    RunHardware(m_owner, m_rec);
}
int WizardSteps::Delivery() { return RunDeliveryChoice(m_owner, m_rec); }
int WizardSteps::ModemOptions() { return RunModemOptions(m_owner, m_rec); }
int WizardSteps::WriteRecordFile() { return ::WriteRecordFile(m_rec); }
int WizardSteps::Transmit() { return TransmitByModem(m_owner, m_rec); }
int WizardSteps::TransmissionSuccess() { return RunTransmissionSuccess(m_owner, m_rec); }
int WizardSteps::TransmissionProblem(int error)
{
    return ShowTransmissionProblem(m_owner, error, m_rec);
}
int WizardSteps::Print() { return PrintCard(m_rec); }
int WizardSteps::PrintReminder() { return RunPrintReminder(m_owner, m_rec); }
int WizardSteps::Email() { return RunEmailProgress(m_owner, m_rec); }
void WizardSteps::SaveCard() { ::SaveCard(m_rec); }
void WizardSteps::SaveQuestionnaire() { ::SaveQuestionnaire(m_rec); }
