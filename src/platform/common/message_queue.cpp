#include "platform/common/message_queue.h"

#include <deque>

namespace platform::queue {
namespace {
std::deque<Message> messages;
}

void Push(const Message& message) { messages.push_back(message); }

bool Pop(Message& out) {
    if (messages.empty()) return false;
    out = messages.front();
    messages.pop_front();
    return true;
}

bool PopKind(MsgKind kind, Message& out) {
    for (auto it = messages.begin(); it != messages.end(); ++it) {
        if (it->kind == kind) {
            out = *it;
            messages.erase(it);
            return true;
        }
    }
    return false;
}

void DropKind(MsgKind kind) {
    std::erase_if(messages, [kind](const Message& m) { return m.kind == kind; });
}

bool Empty() { return messages.empty(); }

void Clear() { messages.clear(); }

}  // namespace platform::queue
