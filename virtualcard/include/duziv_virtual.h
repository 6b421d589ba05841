/* What the virtual DUZIV card adds to the vendor interface: its status codes
 * and the environment variables it reads. Programs and tests may use these
 * names; a real card library knows nothing of them. */
#ifndef DUZIV_VIRTUAL_H
#define DUZIV_VIRTUAL_H

#define DUZIV_VIRTUAL_DEVICE_NAME "DUZIV VIRTUAL DAQ-32"

/* Status codes of the virtual card; each misuse has its own. */
#define DUZIV_OK 0
#define DUZIV_NOT_OPEN 1          /* a handle call while no driver is open */
#define DUZIV_WRONG_HANDLE 2      /* a driver is open, but not under this handle */
#define DUZIV_BAD_ARGUMENT 3      /* null pointer, negative count, value out of range */
#define DUZIV_NOT_CONFIGURED 4    /* scan list or generator set-up incomplete */
#define DUZIV_OVERRUN 5           /* the scan buffer overflowed; lost scans dropped */
#define DUZIV_NOT_RUNNING 6       /* no acquisition in the mode this call needs */
#define DUZIV_BUSY 7              /* refused while scanning or generating runs */
#define DUZIV_UNKNOWN_DEVICE 8    /* device number or device type name unknown */
#define DUZIV_UNKNOWN_PARAMETER 9 /* capability code unknown */
#define DUZIV_TOO_MANY_OPEN 10    /* more driver handles open than the library keeps */
#define DUZIV_NOT_SUPPORTED 11    /* an entry point this card does not implement */
#define DUZIV_INJECTED_DEFAULT 99 /* failure injection without an explicit status */

/* Environment read by the virtual card. */
#define DUZIV_ENV_FAST "DUZIV_VIRTUAL_FAST"     /* "1": no pacing, data on demand */
#define DUZIV_ENV_CONFIG "DUZIV_VIRTUAL_CONFIG" /* input signal file */
#define DUZIV_ENV_FAIL "DUZIV_VIRTUAL_FAIL"     /* Td_Name[:status[:afterNCalls]],... */
#define DUZIV_DEFAULT_CONFIG_FILE "virtualcard.conf"

/* Limits of the emulated card. */
#define DUZIV_VIRTUAL_INPUTS 32
#define DUZIV_VIRTUAL_MAX_SCAN 32
#define DUZIV_VIRTUAL_RING_SAMPLES 4194304 /* scan buffer, in samples */
#define DUZIV_VIRTUAL_DAC_DEPTH 131072     /* generator buffer, in words */
#define DUZIV_VIRTUAL_MAX_HANDLES 64

#endif /* DUZIV_VIRTUAL_H */
