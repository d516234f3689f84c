// SPDX-License-Identifier: GPL-3.0-or-later
// The one source of the layer-check libraries (src/CMakeLists.txt): each holds one logic layer
// whole, so that the link shows whether the layer needs anything from a layer above it.
