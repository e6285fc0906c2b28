#pragma once
// Connecter: how the program connects a signal to a handler.
#include "shell/TApplication.h"

#include <QObject>

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

// Connects a signal to a handler through the error trap. Every handler of the
// program is connected this way, so no exception crosses a Qt frame:
//   Connecter(btDessiner, &QPushButton::clicked, this, &TfmVolutan2::btDessinerClick);
//   Connecter(asgSpires, &TCellGrid::OnSpinClick, this, [this](int col, int row) { ... });
// A handler, member or function object, takes the signal's first arguments
// (or none); the connection ends when either object is destroyed.
template <class Emetteur, class Signal, class Recepteur, class Classe, class... Args>
QMetaObject::Connection Connecter(Emetteur* emetteur, Signal signal, Recepteur* recepteur,
                                  void (Classe::*gestionnaire)(Args...)) {
    return QObject::connect(emetteur, signal, recepteur, [recepteur, gestionnaire](Args... args) {
        Protege([&] { (recepteur->*gestionnaire)(args...); });
    });
}

namespace detail {
// Whether f can be called with the first elements (indices I...) of a tuple.
template <class F, class Tuple, class Seq> struct AppelablePrefixe;
template <class F, class Tuple, std::size_t... I>
struct AppelablePrefixe<F, Tuple, std::index_sequence<I...>>
    : std::is_invocable<F&, std::tuple_element_t<I, Tuple>&...> {};

// Calls f with the longest prefix of the signal's arguments it accepts, as
// Qt does for a slot that takes fewer arguments than the signal gives.
template <std::size_t N, class F, class Tuple> void AppelerPrefixe(F& f, Tuple& args) {
    if constexpr (AppelablePrefixe<F, Tuple, std::make_index_sequence<N>>::value) {
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            f(std::get<I>(args)...);
        }
        (std::make_index_sequence<N>{});
    } else {
        static_assert(N > 0, "the handler does not accept the signal's arguments");
        if constexpr (N > 0) AppelerPrefixe<N - 1>(f, args);
    }
}
} // namespace detail

template <class Emetteur, class Signal, class Foncteur>
QMetaObject::Connection Connecter(Emetteur* emetteur, Signal signal, const QObject* contexte,
                                  Foncteur foncteur) {
    return QObject::connect(emetteur, signal, contexte,
                            [f = std::move(foncteur)](const auto&... args) mutable {
                                auto copie = std::tuple<std::decay_t<decltype(args)>...>(args...);
                                Protege([&] { detail::AppelerPrefixe<sizeof...(args)>(f, copie); });
                            });
}
