// A model holds one messenger. While another model is merged in, the running messenger steps
// aside under a private name so that the merged model's messenger can be read; afterwards the
// merged messages join the running messenger and the merged messenger goes.
#pragma once

class rumpf;

namespace varnex::modelstore {

class MessengerAside {
 public:
  MessengerAside();
  /// Puts the running messenger back under its own name when `Rejoin` did not run.
  ~MessengerAside();
  MessengerAside(const MessengerAside&) = delete;
  MessengerAside& operator=(const MessengerAside&) = delete;

  /// After a successful merge: the merged messenger's messages are appended to the running
  /// one's and the merged messenger is deleted. Without a running messenger the merged one
  /// simply stays.
  void Rejoin();

 private:
  void PutBack();

  rumpf* running_ = nullptr;
};

}  // namespace varnex::modelstore
