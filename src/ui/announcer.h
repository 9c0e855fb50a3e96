#pragma once

#include <functional>
#include <string>

namespace ui {

class Form;

// What a player who cannot see the screen hears: a form says in a short sentence what has just
// been decided (a guess's result, the dice that stopped, a win), and a screen reader speaks it.
// Forms call Form::announce(); how the sentence reaches the screen reader is this file's concern
// alone. A screen reader queues the sentences in the order given, behind what it is saying, and
// a key press cuts off what is still unread: so a form composes what happens in one moment into
// one sentence ("ヒット1、ブロー2、のこり5回"), rather than giving its parts one by one.
//
// Hears every sentence as the form gives it (tests check what a listener would hear, on the
// manual clock); nullptr to stop. Called whether or not a screen reader runs.
void setAnnouncementListener(std::function<void(const Form& form, const std::string& sentence)> listener);

// Whether a screen reader listens: a form may then wait for the listener where a player who
// sees the screen needs no waiting (a timed game's start). Nothing else may differ.
bool screenReaderRuns();

}  // namespace ui
