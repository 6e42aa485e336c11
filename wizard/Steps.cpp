// Binding the wizard's flow to its dialogs, renderers and deliveries.
#include "Steps.h"

#include "../pages/CardForm.h"
#include "FlowDialogs.h"
#include "Settings.h"

namespace {
// A step whose dialog is not in this library yet behaves as a dialog that
// cannot be created.
const int kNotAvailable = -1;
}  // namespace

int WizardSteps::Intro() { return RunIntro(m_owner, m_rec); }
int WizardSteps::CardForm() { return RunCardForm(m_owner, m_rec); }
int WizardSteps::RequiredInfo() { return RunRequiredInfo(m_owner, m_rec); }
void WizardSteps::MarketResearch() {}
void WizardSteps::Hardware() {}
int WizardSteps::Delivery() { return RunDeliveryChoice(m_owner, m_rec); }
int WizardSteps::ModemOptions() { return RunModemOptions(m_owner, m_rec); }
int WizardSteps::WriteRecordFile() { return kNotAvailable; }
int WizardSteps::Transmit() { return kNotAvailable; }
int WizardSteps::TransmissionSuccess() { return kNotAvailable; }
int WizardSteps::TransmissionProblem(int) { return kNotAvailable; }
int WizardSteps::Print() { return kNotAvailable; }
int WizardSteps::PrintReminder() { return kNotAvailable; }
int WizardSteps::Email() { return kNotAvailable; }
void WizardSteps::SaveCard() { ::SaveCard(m_rec); }
void WizardSteps::SaveQuestionnaire() { ::SaveQuestionnaire(m_rec); }
