#pragma once
// COM and OLE for the main thread, a single-threaded apartment. Each successful initialise
// must be matched by one uninitialise on the same thread.

namespace plaxor {

// CoInitializeEx as a single-threaded apartment; true when it needs a matching uninitialise.
bool InitializeComApartment() noexcept;
void UninitializeComApartment() noexcept;
// OleInitialize / OleUninitialize (OLE also joins the single-threaded apartment).
bool InitializeOle() noexcept;
void UninitializeOle() noexcept;

} // namespace plaxor
