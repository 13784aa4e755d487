#pragma once

namespace brontavel {

// A wireless pad's battery as XInput tells it: wired pads (and those that cannot say) have none to
// watch.
enum class BatteryLevel : unsigned char { Empty, Low, Medium, Full };

// Whether the pad's battery is low now, and whether to say so: once each time it falls to low, not
// again until it has risen above.
class BatteryWatch {
 public:
  // What the pad says now; true when it has just fallen to low, and a notification is due.
  bool Update(bool wireless, BatteryLevel level) {
    const bool low = wireless && level <= BatteryLevel::Low;
    const bool fell = low && !low_;
    low_ = low;
    return fell;
  }
  // A pad taken anew, or none in use: nothing is known of its battery yet.
  void Forget() { low_ = false; }
  bool Low() const { return low_; }

 private:
  bool low_ = false;
};

}  // namespace brontavel
