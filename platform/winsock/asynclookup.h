#pragma once

namespace vex {

// Drops every pending lookup, as the last WSACleanup does: no buffer is written and no message
// posted for any of them afterwards.
void CancelAllAsyncRequests();

}  // namespace vex
