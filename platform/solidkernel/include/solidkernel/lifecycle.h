// Starting and stopping the kernel and its components. Starting a started component again
// succeeds and changes nothing; terminating one that is not initialised fails. Components depend on
// each other: law on base; kernel on base and a started modeller; spline and faceter on
// kernel; rendering on faceter.
#pragma once

#include "solidkernel/outcome.h"

struct base_configuration;  // tuning of the base component; null takes the defaults

outcome api_start_modeller(int logSize);
outcome api_stop_modeller();

logical initialize_base(base_configuration* configuration = nullptr);
logical terminate_base();
logical initialize_law();
logical terminate_law();

outcome api_initialize_kernel();
outcome api_terminate_kernel();
outcome api_initialize_spline();
outcome api_terminate_spline();
outcome api_initialize_faceter();
outcome api_terminate_faceter();
outcome api_initialize_rendering();
outcome api_terminate_rendering();

// True while the modeller is started and the kernel component initialised.
logical kernel_is_running();
