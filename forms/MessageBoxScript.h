#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace tulma {

// Test hook for every message box of the program (the catalogue's messages, its fallback boxes and
// the error handler's box), in the spirit of KeePassXC's MessageBox::setNextAnswer.
//
// While a script object exists, TMessageBox::Show opens no box and runs no modal loop: it records the
// box and answers with the next queued answer, or, when none is queued, with the box's default
// button. An answer that is not one of the box's buttons is a fault of the test and raises
// std::logic_error. Creating a script also installs TMessageBox as the catalogue's box, so tests need
// no TApplication. Only one script may exist at a time.
//
//     TMessageBoxScript Boxes;
//     Boxes.SetNextAnswer(MessageBoxResult::Yes);
//     Form.BtnDeleteClick();
//     QCOMPARE(Boxes.Shown().size(), size_t{1});
//     QCOMPARE(Boxes.Shown()[0].Answer, MessageBoxResult::Yes);
class TMessageBoxScript {
  public:
    struct TShownBox {
        std::string Text;
        std::string Caption;
        int32_t Style = 0;
        // What the script answered.
        int32_t Answer = 0;
    };

    TMessageBoxScript();
    ~TMessageBoxScript();
    TMessageBoxScript(const TMessageBoxScript&) = delete;
    TMessageBoxScript& operator=(const TMessageBoxScript&) = delete;

    // Queues the answer for the next box that has no earlier answer queued.
    void SetNextAnswer(int32_t Result);
    int32_t PendingAnswers() const { return static_cast<int32_t>(FAnswers.size()); }

    // Every box since the script began (or since ClearShown), oldest first.
    const std::vector<TShownBox>& Shown() const { return FShown; }
    void ClearShown() { FShown.clear(); }

    // The script in force, or none.
    static TMessageBoxScript* Active();
    // Records a box and returns its answer; TMessageBox::Show calls this.
    int32_t Answer(const std::string& Text, const std::string& Caption, int32_t Style);

  private:
    std::deque<int32_t> FAnswers;
    std::vector<TShownBox> FShown;
};

}  // namespace tulma
