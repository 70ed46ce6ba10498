#pragma once

// A user interface for tests of the data model: records every error box, help topic and input
// request, and answers inputs as the test set them up (a missing answer cancels). Installed
// while the object lives. Include it only in tests that link kv_core.

#include "core/KVUserInterface.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

class TTestUserInterface : public TKVUserInterface {
public:
    struct TSystemError {
        QString Caption;
        QString Text;
        bool OwnedByApp = false;
        QString Details;
    };
    struct TInputRequest {
        QString Caption;
        QString Preset;
        int MaxLength = 0;
        bool Password = false;
    };

    TTestUserInterface() { SetKVUserInterface(this); }
    ~TTestUserInterface() override { SetKVUserInterface(nullptr); }
    TTestUserInterface(const TTestUserInterface&) = delete;
    TTestUserInterface& operator=(const TTestUserInterface&) = delete;

    // The answer to the next input request: a text, or std::nullopt to cancel.
    void AnswerInput(std::optional<QString> AAnswer) { FAnswers.push_back(std::move(AAnswer)); }

    void ShowSystemError(const QString& ACaption, const QString& AText, bool AOwnedByApp) override {
        Errors.push_back({ACaption, AText, AOwnedByApp, QString()});
    }
    void ShowSystemErrorDetails(const QString& ACaption, const QString& AText,
                                const QString& ADetails, bool AOwnedByApp) override {
        Errors.push_back({ACaption, AText, AOwnedByApp, ADetails});
    }
    void ShowHelpTopic(const QString& ATopic) override { HelpTopics << ATopic; }
    bool InputText(const QString& ACaption, QString& AText, int AMaxLength,
                   bool APassword) override {
        Inputs.push_back({ACaption, AText, AMaxLength, APassword});
        if (FAnswers.empty())
            return false;
        std::optional<QString> answer = std::move(FAnswers.front());
        FAnswers.pop_front();
        if (!answer)
            return false;
        AText = *answer;
        return true;
    }

    // Forgets what was recorded and the answers not yet given.
    void Clear() {
        Errors.clear();
        HelpTopics.clear();
        Inputs.clear();
        FAnswers.clear();
    }

    std::vector<TSystemError> Errors;
    QStringList HelpTopics;
    std::vector<TInputRequest> Inputs;

private:
    std::deque<std::optional<QString>> FAnswers;
};
