// Open CASCADE's own messages (warnings of its algorithms, printed to stdout in terminal colours
// by default) go to the host's message handler instead; a library must not write to stdout.
#include <varnex/base/messages.h>

#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_Printer.hxx>
#include <TCollection_AsciiString.hxx>

#include "geometry/kernel_scope.h"

namespace {

class HostPrinter : public Message_Printer {
 protected:
  // Traces and information are the kernel's chatter; warnings and failures reach the host.
  void send(const TCollection_AsciiString& text, const Message_Gravity gravity) const override {
    if (gravity < Message_Warning || pPVFHandleMessage == nullptr) {
      return;
    }
    pPVFHandleMessage->Warning("OpenCascade", text.ToCString());
  }
};

}  // namespace

void RouteKernelMessages() {
  static const bool routed = [] {
    const Handle(Message_Messenger)& messenger = Message::DefaultMessenger();
    messenger->ChangePrinters().Clear();
    messenger->AddPrinter(new HostPrinter());
    return true;
  }();
  (void)routed;
}
