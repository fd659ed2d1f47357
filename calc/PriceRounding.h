#pragma once

// How an exact price is brought to the cent: to the nearest cent, which may leave the profit
// up to half a cent a share short of the wanted one, or up to the first cent whose sale really
// reaches it.
enum class PriceRounding
{
    Nearest,
    Up,
};
