#pragma once

// The kinds of field of the fee page. Lower, Upper, Fee and FeeType belong to a bracket;
// Minimum and Maximum do not.
enum class ScheduleField
{
    Lower,
    Upper,
    Fee,
    FeeType,
    Minimum,
    Maximum,
};

// One field of the fee page: its kind and, for bracket fields, the bracket's index (0 for the
// first bracket, as in ScheduleTexts::brackets). The index is 0 for Minimum and Maximum.
struct ScheduleFieldRef
{
    ScheduleField field = ScheduleField::Lower;
    int bracket = 0;

    static ScheduleFieldRef lower(int bracket) { return {ScheduleField::Lower, bracket}; }
    static ScheduleFieldRef minimum() { return {ScheduleField::Minimum, 0}; }

    friend bool operator==(const ScheduleFieldRef&, const ScheduleFieldRef&) = default;
};

// Why the calculation stops at the fee page: a message has been shown (or the zero-fee question
// answered No), and the window makes the fee page current and puts the focus in this field.
struct ScheduleRefusal
{
    ScheduleFieldRef focus;

    friend bool operator==(const ScheduleRefusal&, const ScheduleRefusal&) = default;
};
