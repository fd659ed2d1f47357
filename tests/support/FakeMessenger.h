#pragma once

#include "Messenger.h"

#include <QList>

// Records every message instead of showing it. Each confirm() takes the next prepared answer;
// a question nobody prepared an answer for is recorded as unexpected and answered No, so a
// test that does not expect it fails on checkUnexpected() or on the recorded messages.
class FakeMessenger : public Messenger
{
public:
    void inform(const Message& message) override;
    bool confirm(const Message& message) override;

    void answerNext(bool yes) { m_answers.append(yes); }

    QList<Message> shown; // every message and question, in order
    int unansweredQuestions = 0;

private:
    QList<bool> m_answers;
};
