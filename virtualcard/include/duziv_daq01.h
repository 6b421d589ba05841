/* The DUZIV "duziv_daq01" card library interface, as the program loads it at
 * run time. Every entry point answers a 32-bit status: 0 is success, any
 * other value is a vendor error code that the program only prints.
 * Integers are 32-bit, reals 64-bit, sample and output codes unsigned 32-bit
 * words (16-bit input codes with 32768 at zero, 12-bit output codes).
 *
 * The program never links this library: it loads libduziv_daq01.so and
 * resolves the names below. The Td_*_t typedefs are the pointer types it
 * resolves them into. */
#ifndef DUZIV_DAQ01_H
#define DUZIV_DAQ01_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define DUZIV_TEXT_SIZE 2000 /* size of every text a call writes */

/* Opens the driver under an application name; writes the card handle. */
int32_t Td_Init_Driver(int32_t* handle, const char* appName);
int32_t Td_Close_Driver(int32_t handle);

/* Device type name of card `device` (1 = the first) into `text`. */
int32_t Td_Get_Info_DeviceName(const char* appName, int32_t device, double* real, char* text,
                               int32_t* integer);
/* One capability parameter of a device type (codes 1201 ... 2505). */
int32_t Td_Get_Info_DeviceType(const char* deviceType, int32_t code, double* real, char* text,
                               int32_t* integer);

/* Analog input scan: one call per scan position. input 0-31, or 256/257 for
 * the card's special sources; range 0-5. */
int32_t Td_Config_Acquisition(int32_t handle, int32_t input, int32_t range, int32_t position, int32_t length);
int32_t Td_Config_ScanCounter(int32_t handle, int32_t one, int32_t counter);
/* Scan frequency in Hz (in: wanted, out: set); period in seconds (out). */
int32_t Td_Config_Timing_Acquisition(int32_t handle, double* frequency, double* period);
/* mode 2: continuous buffered scanning; mode 1: single scans on request. */
int32_t Td_Start_Acquisition(int32_t handle, int32_t mode);
int32_t Td_Stop_Acquisition(int32_t handle);
/* Samples waiting in the card buffer. */
int32_t Td_Get_Buffer_Status(int32_t handle, int32_t* count);
/* Up to `count` samples in scan order; `got` (in: count, out: delivered). */
int32_t Td_Get_Buffer_Data(int32_t handle, uint32_t* words, int32_t count, int32_t* got);
/* One scan of `count` codes. */
int32_t Td_Get_SingleAcquisition(int32_t handle, uint32_t* words, int32_t count);

/* Digital port 0: input (low 16 bits used) and output (0-255). */
int32_t Td_Get_DI(int32_t handle, int32_t port, uint32_t* word, int32_t count);
int32_t Td_Set_DO(int32_t handle, int32_t port, const uint32_t* word, int32_t count);
/* Both analog outputs from `first`: 12-bit codes, 0 = -10 V, 4095 = +10 V. */
int32_t Td_Set_AO(int32_t handle, int32_t first, const uint32_t* words, int32_t count);

/* Generator: output list, timing, mode, buffer. */
int32_t Td_Config_Generating(int32_t handle, int32_t output, int32_t zero, int32_t position, int32_t count);
int32_t Td_Config_Timing_Generating(int32_t handle, double* frequency, double* period);
/* mode 2 with cyclic and synchronous flags; mode 1, 0, 0 releases. */
int32_t Td_Config_Generating_Mode(int32_t handle, int32_t mode, int32_t cyclic, int32_t synchronous);
int32_t Td_Set_Buffer_Data(int32_t handle, const uint32_t* words, int32_t count, int32_t* sent);
/* what 2: samples loaded so far. */
int32_t Td_Get_Generating_Status(int32_t handle, int32_t what, int32_t* count);
int32_t Td_Start_Generating(int32_t handle);
int32_t Td_Stop_Generating(int32_t handle);

/* Resolved by the program but never called; present so that loading works. */
int32_t Td_Config_DIO(int32_t handle);
int32_t Td_Config_Ability_Generate_IRQ(int32_t handle);
int32_t Td_Config_IRQTimer(int32_t handle);
int32_t Td_Driver_Version(int32_t handle);
int32_t Td_Get_DeviceName(int32_t handle);
int32_t Td_Get_DeviceType(int32_t handle);
int32_t Td_Get_Number_Of_Devices(int32_t handle);
int32_t Td_Get_Number_Of_Types(int32_t handle);
int32_t Td_Get_Parameters(int32_t handle);
int32_t Td_Get_ErrorMessage(int32_t handle);
int32_t Td_Get_State_Buffer_Data_Input(int32_t handle);
int32_t Td_Start_Buffer_Data_Request(int32_t handle);
int32_t Td_Start_Buffer_Data_Request_Sync(int32_t handle);
int32_t Td_Stop_Buffer_Data_Request(int32_t handle);
int32_t Td_Visual_Parameters(int32_t handle);
int32_t Td_Visual_Administrate(int32_t handle);
int32_t Td_Wait_For_IRQ(int32_t handle);
int32_t Td_Get_Counter(int32_t handle);
int32_t Td_Get_Counter_Status(int32_t handle);
int32_t Td_Load_Counter(int32_t handle);
int32_t Td_Load_Counter_Status(int32_t handle);
int32_t Td_Save_Counter(int32_t handle);
int32_t Td_Save_Counter_Parameters(int32_t handle);
int32_t Td_Save_StartStop_Counter(int32_t handle);
int32_t Td_Set_Counter(int32_t handle);
int32_t Td_Set_Counter_Parameters(int32_t handle);
int32_t Td_Set_Parameters(int32_t handle);
int32_t Td_Start_Counter(int32_t handle);
int32_t Td_Stop_Counter(int32_t handle);

/* Pointer types the loader resolves into. */
typedef int32_t (*Td_Init_Driver_t)(int32_t*, const char*);
typedef int32_t (*Td_Handle_t)(int32_t); /* every call that takes only the handle */
typedef int32_t (*Td_Get_Info_t)(const char*, int32_t, double*, char*, int32_t*);
typedef int32_t (*Td_Config_Acquisition_t)(int32_t, int32_t, int32_t, int32_t, int32_t);
typedef int32_t (*Td_Config_ScanCounter_t)(int32_t, int32_t, int32_t);
typedef int32_t (*Td_Config_Timing_t)(int32_t, double*, double*);
typedef int32_t (*Td_Start_Acquisition_t)(int32_t, int32_t);
typedef int32_t (*Td_Get_Buffer_Status_t)(int32_t, int32_t*);
typedef int32_t (*Td_Get_Buffer_Data_t)(int32_t, uint32_t*, int32_t, int32_t*);
typedef int32_t (*Td_Get_SingleAcquisition_t)(int32_t, uint32_t*, int32_t);
typedef int32_t (*Td_Get_DI_t)(int32_t, int32_t, uint32_t*, int32_t);
typedef int32_t (*Td_Set_Words_t)(int32_t, int32_t, const uint32_t*, int32_t); /* Td_Set_DO, Td_Set_AO */
typedef int32_t (*Td_Config_Generating_t)(int32_t, int32_t, int32_t, int32_t, int32_t);
typedef int32_t (*Td_Config_Generating_Mode_t)(int32_t, int32_t, int32_t, int32_t);
typedef int32_t (*Td_Set_Buffer_Data_t)(int32_t, const uint32_t*, int32_t, int32_t*);
typedef int32_t (*Td_Get_Generating_Status_t)(int32_t, int32_t, int32_t*);

#ifdef __cplusplus
}
#endif

#endif /* DUZIV_DAQ01_H */
