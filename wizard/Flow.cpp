// The wizard's flow: which dialog follows which, and when the card counts as finished.
#include "Flow.h"

#include "../output/TransferErrors.h"
#include "../resources/resource.h"

bool RunFlow(FlowSteps &steps)
{
    bool finished = false;

    const int intro = steps.Intro();
    if (intro == IDC_REGISTER_LATER)
        return finished;
    if (intro == IDC_NEVER_REGISTER)
        return true;

    const int card = steps.CardForm();
    steps.SaveCard();
    if (card == IDC_REGISTER_LATER)
        return finished;
    if (card != 0) {
        // A required field is empty (or the card could not be shown).
        const int required = steps.RequiredInfo();
        steps.SaveCard();
        if (required == IDC_REGISTER_LATER)
            return finished;
    }

    steps.MarketResearch();
    steps.SaveQuestionnaire();
    steps.Hardware();

    int current = steps.Delivery();
    if (current == IDC_REGISTER_LATER)
        return finished;

    while (current == IDC_SEND) {
        // Closing the modem options is the user's only way back: nothing is sent.
        if (steps.ModemOptions() == IDC_REGISTER_LATER)
            return finished;
        // A record file that cannot be written is reported like a failed transfer.
        const int error = steps.WriteRecordFile() != 0 ? TRANSFER_FILE_ERROR : steps.Transmit();
        if (error == 0) {
            current = steps.TransmissionSuccess();
            finished = true;
        } else {
            current = steps.TransmissionProblem(error);
            if (current == IDC_REGISTER_LATER)
                return finished;
        }
    }

    while (current == IDC_PRINT) {
        // Any failed print ends the print step, whatever its number reads as.
        if (steps.Print() != 0)
            return finished;
        // Only the first printout shows the reminder; only its Print prints again.
        current = finished ? 0 : steps.PrintReminder();
        finished = true;
    }

    if (current == IDC_EMAIL && steps.Email() == 1)
        finished = true;

    return finished;
}
