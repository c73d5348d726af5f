#include "DateClasses.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "ClassRegistry.h"
#include "DateFormat.h"
#include "DateSortingOrder.h"
#include "Datum.h"
#include "DatumUndZeit.h"
#include "Zeit.h"
#include "Zeitraum.h"

namespace tulma {
namespace {

std::unique_ptr<TDatum>& TodayValue() {
    static std::unique_ptr<TDatum> Value;
    return Value;
}

std::unique_ptr<TDateSortingOrder>& ActiveDateOrderValue() {
    static std::unique_ptr<TDateSortingOrder> Value;
    return Value;
}

template <class T>
T& Created(const std::unique_ptr<T>& Value, const char* Name) {
    if (!Value) {
        throw std::logic_error(std::string(Name) + " is used before RegisterDateClasses");
    }
    return *Value;
}

}  // namespace

void RegisterDateClasses() {
    TClassRegistry& Registry = ClassRegistry();
    Registry.RegisterObjectClass<TDatum>();
    Registry.RegisterObjectClass<TDateSortingOrder>();
    Registry.RegisterObjectClass<TZeitraum>();
    Registry.RegisterObjectClass<TZeit>();
    Registry.RegisterObjectClass<TDatumUndZeit>();

    auto Date = std::make_unique<TDatum>();
    Date->GetCurrDate();
    TodayValue() = std::move(Date);
    ActiveDateOrderValue() = std::make_unique<TDateSortingOrder>();
    ShortDateFormat() = "dd.MM.yyyy";
}

TDatum& Today() {
    return Created(TodayValue(), "Today");
}

TDateSortingOrder& ActiveDateOrder() {
    return Created(ActiveDateOrderValue(), "ActiveDateOrder");
}

}  // namespace tulma
