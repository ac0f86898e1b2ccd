#pragma once
// The icons and images live in a static library; whoever shows them first makes them known.
void InitVedrixResources();
