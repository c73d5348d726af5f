#pragma once

namespace tulma {

class TDatum;
class TDateSortingOrder;

// Registers TDatum, TDateSortingOrder, TZeitraum, TZeit and TDatumUndZeit, in this order, then creates
// the program-wide values below and sets the short date format to "dd.MM.yyyy". Start-up calls it
// between the text and the identifier classes.
void RegisterDateClasses();

// The date of the day the program started; it is not renewed while the program runs.
TDatum& Today();

// The component order that TDatum::Before compares by: year, month, day.
TDateSortingOrder& ActiveDateOrder();

}  // namespace tulma
