// An icon whose pictures are made the first time something draws, sizes or
// lists it. A window hands its icons over while it is built, long before
// any of them is seen, and decoding them there would hold up its showing.
#pragma once

#include <QIcon>
#include <functional>

namespace tavrinel {

// The icon `make` returns, made on first use and kept. Until then it counts
// as not null, so `make` must not give a null icon.
[[nodiscard]] QIcon DeferredIcon(std::function<QIcon()> make);

}  // namespace tavrinel
