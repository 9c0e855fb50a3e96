#pragma once

namespace assets {

// What the store's pictures that say something say; each is asked for by its meaning.
enum class Verdict { Lost, Won };             // the banner at a game's end
enum class BoutMark { Won, Lost, Drawn };     // a duel's mark after each bout
enum class Mark : short { None, Hit, Blow };  // the lock's marks for one digit of a try
enum class Candle { Burning = 1, Out = 2 };
enum class Runner { Running, Fallen };

}  // namespace assets
