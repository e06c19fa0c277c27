#pragma once
// Fakes for the platform seams: a clock the test sets, dialogs that answer as told and
// remember what they were asked, a sound that only records, a launcher that records and
// finds an editor or not, as told.
#include "platform/seams.h"

#include <string>
#include <vector>

class FakeClock : public platform::Clock {
 public:
  Text stamp = "20261210-201500";

  Text localStamp() override { return stamp; }
};

class FakeDialogs : public platform::Dialogs {
 public:
  struct Box {
    Text caption, text;
  };
  std::vector<Box> errors, questions, inputs;
  Answer answer = Answer::Yes;
  std::vector<Answer> answers;  // given in turn, before `answer` takes over
  Text inputReply;
  bool inputCancels = false;

  void errorBox(const Text& caption, const Text& text) override { errors.push_back({caption, text}); }
  Answer askYesNo(const Text& caption, const Text& text) override {
    questions.push_back({caption, text});
    if (questions.size() <= answers.size()) return answers[questions.size() - 1];
    return answer;
  }
  Text inputBox(const Text& caption, const Text& prompt, const Text& deflt) override {
    inputs.push_back({caption, prompt});
    return inputCancels ? deflt : inputReply;
  }
};

class FakeSound : public platform::Sound {
 public:
  std::vector<Text> played;
  void play(const Text& path) override { played.push_back(path); }
};

// Records every file it is asked to open; `finds` false stands for a machine with no
// opener and no editor (the file is still recorded as asked for).
class FakeLauncher : public platform::Launcher {
 public:
  std::vector<Text> opened;
  bool finds = true;
  bool openInEditor(const Text& path) override {
    opened.push_back(path);
    return finds;
  }
};
