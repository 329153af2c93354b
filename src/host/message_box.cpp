#include "host/message_box.h"

#include <atomic>

namespace ledgernova::host {
namespace {

std::atomic<MessageBox> installed_box{nullptr};

}  // namespace

void set_message_box(MessageBox box) noexcept {
    installed_box.store(box);
}

bool show_message_box(const std::string& caption, const std::string& message) noexcept {
    const MessageBox box = installed_box.load();
    return box != nullptr && box(caption, message);
}

}  // namespace ledgernova::host
