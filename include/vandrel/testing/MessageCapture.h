// Test helper: captures the texts shown through MessageDlg while it lives.
#pragma once

#include <string>
#include <vector>

#include "vandrel/platform/Dialogs.h"

namespace vandrel::testing {

class MessageCapture {
 public:
  MessageCapture() {
    FPrevious = SetMessageDlgHandler([this](const std::string& Msg, TMsgDlgType Type,
                                            TMsgDlgButtons Buttons, int HelpCtx) {
      FMessages.push_back(Msg);
      FTypes.push_back(Type);
      FButtons.push_back(Buttons);
      FHelpContexts.push_back(HelpCtx);
      return static_cast<int>(mrOk);
    });
  }
  ~MessageCapture() { SetMessageDlgHandler(FPrevious); }
  MessageCapture(const MessageCapture&) = delete;
  MessageCapture& operator=(const MessageCapture&) = delete;

  const std::vector<std::string>& Messages() const { return FMessages; }
  const std::vector<TMsgDlgType>& Types() const { return FTypes; }
  const std::vector<TMsgDlgButtons>& Buttons() const { return FButtons; }
  const std::vector<int>& HelpContexts() const { return FHelpContexts; }
  // The last message, or "" when none was shown.
  std::string Last() const { return FMessages.empty() ? std::string() : FMessages.back(); }
  void Clear() { FMessages.clear(); FTypes.clear(); FButtons.clear(); FHelpContexts.clear(); }

 private:
  TMessageDlgHandler FPrevious;
  std::vector<std::string> FMessages;
  std::vector<TMsgDlgType> FTypes;
  std::vector<TMsgDlgButtons> FButtons;
  std::vector<int> FHelpContexts;
};

}  // namespace vandrel::testing
