// The message queue in arrival order, shared by both backends. Backends feed it
// from their own event source; the platform calls take from it.
#pragma once

#include "platform/platform.h"

namespace platform::queue {

void Push(const Message& message);
bool Pop(Message& out);
bool PopKind(MsgKind kind, Message& out);
void DropKind(MsgKind kind);
bool Empty();
void Clear();

}  // namespace platform::queue
