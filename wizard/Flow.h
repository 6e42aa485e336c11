// The wizard's road from the intro to the delivery, over an interface of steps.
#pragma once

// Each step runs one dialog or delivery and gives its result; a dialog that
// cannot be created gives -1.
class FlowSteps {
public:
    virtual ~FlowSteps() = default;
    virtual int Intro() = 0;
    virtual int CardForm() = 0;
    virtual int RequiredInfo() = 0;
    virtual void MarketResearch() = 0;
    virtual void Hardware() = 0;
    virtual int Delivery() = 0;
    virtual int ModemOptions() = 0;
    virtual int WriteRecordFile() = 0;
    virtual int Transmit() = 0;
    virtual int TransmissionSuccess() = 0;
    virtual int TransmissionProblem(int error) = 0;
    virtual int Print() = 0;
    virtual int PrintReminder() = 0;
    virtual int Email() = 0;
    virtual void SaveCard() = 0;
    virtual void SaveQuestionnaire() = 0;
};

// Runs the wizard; true when the registration is finished (sent, printed,
// mailed, or Never Register confirmed).
bool RunFlow(FlowSteps &steps);
