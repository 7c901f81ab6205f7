// Every message box and question of the program goes through here: an information box with one OK
// button, a Yes/No question under a caption, and the error box that shows an exception a handler let
// escape. Tests install a responder that records every box and answers the questions.
#pragma once

#include <QString>

#include <functional>

class Messages {
public:
    enum class Kind { Information, Question, Error };

    struct Box {
        Kind kind;
        QString caption;
        QString text;
    };

    // Answers a question: true for Yes. Called for every box; the answer of a non-question is ignored.
    using Responder = std::function<bool(const Box&)>;

    // Information box with one OK button, captioned with the application title.
    static void show(const QString& text);
    // Question with Yes and No buttons; true only for Yes.
    static bool ask(const QString& caption, const QString& text);
    // The framework's error box.
    static void showError(const QString& text);

    static void setResponder(Responder responder);
    static void clearResponder();
    // True while a box is open (or being answered by a responder).
    static bool isOpen();
};
